#include "item/frmProperty.h"

#include "item/ShellLocations.h"
#include "shared/ShellEx.h"

namespace tollivor {

using forms::Event;
using forms::dialogs;
using forms::helperLibraries;

frmProperty::frmProperty() : Form(frmPropertyTable()) {
  on(Text1, Event::Click, &frmProperty::Text1_Click);
  on(cmdFile, Event::Click, &frmProperty::cmdFile_Click);
  on(cmdFolder, Event::Click, &frmProperty::cmdFolder_Click);
  on(cmdOK, Event::Click, &frmProperty::cmdOK_Click);
  on(cmdCancel, Event::Click, &frmProperty::cmdCancel_Click);
  onFileDrop(&frmProperty::Form_FileDrop);
}

void frmProperty::resetDesignState() {
  CMDialog = {.title = u"Browse File...",
              .filter = u"All Files (*.*)|*.*|Executable Files (*.exe)|*.exe|"};
}

void frmProperty::Form_Load() { AddItemsToCombo(); }

void frmProperty::AddItemsToCombo() {
  for (const auto& item : kSpecialItems)
    if (item.offered) Text1.addItem(std::u16string(item.name));
}

// A pick from the list shows the special item's icon; no file icon is looked
// up here, whatever the text.
void frmProperty::Text1_Click() {
  forms::IconHandle icon = 0;
  if (const auto number = SpecialIconNumber(Text1.text())) icon = ShellEx::GetSpecialIcon(*number);
  ShellEx::DrawPickedIcon(Picture1, icon);
}

void frmProperty::cmdFile_Click() {
  CMDialog.flags = forms::kOpenFileMustExist | forms::kOpenHideReadOnly;
  if (!dialogs().showOpen(handle(), CMDialog)) return;
  useChosenTarget(CMDialog.fileName);
}

void frmProperty::cmdFolder_Click() {
  const auto folder = ShellEx::ChooseFolder(handle(), u"Choose a folder.");
  if (folder.empty()) return;
  useChosenTarget(folder);
}

// A file dropped from the shell counts as browsed, and so does a folder: the
// shell gives its icon as it does the chosen folder's.
void frmProperty::Form_FileDrop(const std::u16string& path) { useChosenTarget(path); }

void frmProperty::useChosenTarget(const std::u16string& path) {
  Text1.setText(path);
  ShellEx::DrawIconInPreview(Picture1, ShellEx::GetFileIcon(path));
}

// Special items pass unchecked; anything else must be a path the shell has
// an icon for.
void frmProperty::cmdOK_Click() {
  const auto target = Text1.text();
  if (IsOfferedSpecialItem(target)) {
    keepRecord();
    return;
  }
  if (const auto icon = ShellEx::GetFileIcon(target)) {
    helperLibraries().destroyIcon(icon);
    keepRecord();
    return;
  }
  dialogs().beep();
  dialogs().messageBox(handle(), kNotExistPrompt, forms::kMbInformation, target);
  Text1.setFocus();
}

void frmProperty::cmdCancel_Click() { hide(); }

void frmProperty::keepRecord() {
  resultText = Text1.text() + u"|" + Text2.text();
  hide();
}

}  // namespace tollivor
