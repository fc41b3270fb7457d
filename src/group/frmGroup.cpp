#include "group/frmGroup.h"

#include <string>

namespace tollivor {

using forms::Event;
using forms::dialogs;

namespace {

// The name without the blanks around it (spaces only, as the runtime trims).
std::u16string trimmedBlanks(const std::u16string& text) {
  const auto first = text.find_first_not_of(u' ');
  if (first == std::u16string::npos) return {};
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

// The check is case-sensitive: a path the file dialog hands back as ".ICO"
// does not pass.
bool endsInIco(const std::u16string& path) { return path.ends_with(u".ico"); }

}  // namespace

frmGroup::frmGroup() : Form(frmGroupTable()) {
  on(cmdChangeIcon, Event::Click, &frmGroup::cmdChangeIcon_Click);
  on(cmdOK, Event::Click, &frmGroup::cmdOK_Click);
  on(cmdCancel, Event::Click, &frmGroup::cmdCancel_Click);
  onFileDrop(&frmGroup::Form_FileDrop);
}

void frmGroup::resetDesignState() {
  CMDialog = {.title = u"Browse File...", .filter = u"Icon Files (*.ico)|*.ico|All Files (*.*)|*.*|"};
}

// The extension is not checked here: OK does that.
void frmGroup::cmdChangeIcon_Click() {
  CMDialog.flags = forms::kOpenFileMustExist | forms::kOpenHideReadOnly;
  if (!dialogs().showOpen(handle(), CMDialog)) return;
  useIconFile(CMDialog.fileName);
}

// Any dropped file is taken as chosen; OK decides whether it will do.
void frmGroup::Form_FileDrop(const std::u16string& path) { useIconFile(path); }

void frmGroup::useIconFile(const std::u16string& file) {
  lblIconPath.setCaption(file);
  const auto path = lblIconPath.caption();
  // Loading no file at all blanks the preview; a file that is no picture
  // leaves it as it was.
  if (path.empty()) {
    pictIcon.clear();
  } else {
    pictIcon.loadPicture(path);
  }
}

// The bar test runs on the name as typed, before the blank test; whether the
// icon file still exists is not asked again.
void frmGroup::cmdOK_Click() {
  const auto name = txtGroupName.text();
  if (name.find(u'|') != std::u16string::npos) return refuse(kBarInNamePrompt, txtGroupName);
  if (trimmedBlanks(name).empty()) return refuse(kNoNamePrompt, txtGroupName);
  const auto iconPath = lblIconPath.caption();
  if (!iconPath.empty() && !endsInIco(iconPath)) return refuse(kNoIconPrompt, cmdChangeIcon);
  resultText = u"group|" + name + u"|:" + iconPath;
  hide();
}

void frmGroup::cmdCancel_Click() {
  resultText.clear();
  hide();
}

void frmGroup::refuse(const char16_t* prompt, const forms::Control& focusAfter) {
  dialogs().beep();
  dialogs().messageBox(handle(), prompt, forms::kMbInformation, kTitle);
  focusAfter.setFocus();
}

}  // namespace tollivor
