#include "settings/frmSettingEx.h"

#include "settings/SettingsMapping.h"
#include "shared/Mshared.h"

namespace tollivor {

using forms::Event;
using forms::Kind;
using forms::dialogs;

namespace {
constexpr char16_t kBitmapFilter[] = u"Bitmap Files (*.bmp)|*.bmp|All Files (*.*)|*.*|";
constexpr char16_t kSoundFilter[] = u"Sound Files (*.wav)|*.wav|All Files (*.*)|*.*|";
}  // namespace

frmSettingEx::frmSettingEx() : Form(frmSettingExTable()) {
  on(SSTab1, Event::Click, &frmSettingEx::SSTab1_Click);
  on(cmdOK, Event::Click, &frmSettingEx::cmdOK_Click);
  on(cmdCancel, Event::Click, &frmSettingEx::cmdCancel_Click);
  on(cmdNormalState, Event::Click, &frmSettingEx::cmdNormalState_Click);
  on(cmdMouseOver, Event::Click, &frmSettingEx::cmdMouseOver_Click);
  on(lblSample, Event::MouseMove, &frmSettingEx::lblSample_MouseMove);
  on(Label1, Event::MouseMove, &frmSettingEx::Label1_MouseMove);
  on(Picture1, Event::MouseMove, &frmSettingEx::Picture1_MouseMove);
  on(cmdNormalState, Event::MouseMove, &frmSettingEx::cmdNormalState_MouseMove);
  on(cmdMouseOver, Event::MouseMove, &frmSettingEx::cmdMouseOver_MouseMove);
  on(chkUseBg, Event::Click, &frmSettingEx::chkUseBg_Click);
  on(chkSoundFile, Event::Click, &frmSettingEx::chkSoundFile_Click);
  on(cmdBrowsePict, Event::Click, &frmSettingEx::cmdBrowsePict_Click);
  on(cmdSoundBrowse, Event::Click, &frmSettingEx::cmdSoundBrowse_Click);
  onFileDrop(&frmSettingEx::Form_FileDrop);
}

void frmSettingEx::resetDesignState() { CmDialog = {}; }

// Pages from the last to the first, so that page 0 ends in front; then
// Tahoma for everything but the command buttons, sizes and weights kept.
void frmSettingEx::Form_Load() {
  for (int page = kPageCount - 1; page >= 0; --page) {
    Picture1[page].setBorder(false);
    Picture1[page].bringToFront();
    Picture1[page].move({240, 840, 4215, 1575});
  }
  for (const auto& row : table().controls) {
    if (row.kind == Kind::CommandButton) continue;
    forms::Control(*this, row.name, row.index).setFontName(u"Tahoma");  // lines have none: skipped
  }
}

void frmSettingEx::SSTab1_Click() {
  const auto tab = SSTab1.currentTab();
  if (tab && *tab >= 0 && *tab < kPageCount) Picture1[*tab].bringToFront();
}

void frmSettingEx::cmdOK_Click() {
  SettingsMapping::StoreSettings(*this);
  hide();
}

void frmSettingEx::cmdCancel_Click() { hide(); }

// --- the two colours and the sample ----------------------------------------

void frmSettingEx::cmdNormalState_Click() {
  if (const auto normal = lblSample2.foreColour()) CmDialog.colour = *normal;
  if (!dialogs().showColour(handle(), CmDialog)) return;
  lblSample2.setForeColour(CmDialog.colour);
  lblSample.setForeColour(CmDialog.colour);
}

// The sample shows the new colour only when the mouse next moves over it.
void frmSettingEx::cmdMouseOver_Click() {
  if (const auto mouseOver = lblSample2.backColour()) CmDialog.colour = *mouseOver;
  if (!dialogs().showColour(handle(), CmDialog)) return;
  lblSample2.setBackColour(CmDialog.colour);
}

void frmSettingEx::lblSample_MouseMove() {
  if (const auto mouseOver = lblSample2.backColour()) lblSample.setForeColour(*mouseOver);
}

void frmSettingEx::Label1_MouseMove(int) { RestoreSampleColour(); }
void frmSettingEx::Picture1_MouseMove(int) { RestoreSampleColour(); }
void frmSettingEx::cmdNormalState_MouseMove() { RestoreSampleColour(); }
void frmSettingEx::cmdMouseOver_MouseMove() { RestoreSampleColour(); }

// Repaints only when the sample does not already show the normal colour.
void frmSettingEx::RestoreSampleColour() {
  const auto normal = lblSample2.foreColour();
  if (normal && lblSample.foreColour() != normal) lblSample.setForeColour(*normal);
}

// --- the picture and the sound file -----------------------------------------

// Neither enabling rule touches the path: unchecked, it stays but OK
// writes "".
void frmSettingEx::chkUseBg_Click() {
  const bool use = chkUseBg.value() != 0;
  txtBgPict.setEnabled(use);
  cmdBrowsePict.setEnabled(use);
}

void frmSettingEx::chkSoundFile_Click() { EnableSoundFile(chkSoundFile.value()); }

void frmSettingEx::EnableSoundFile(int value) {
  txtSoundFile.setEnabled(value != 0);
  cmdSoundBrowse.setEnabled(value != 0);
}

void frmSettingEx::cmdBrowsePict_Click() { BrowseForFile(txtBgPict, kBitmapFilter); }

void frmSettingEx::cmdSoundBrowse_Click() { BrowseForFile(txtSoundFile, kSoundFilter); }

// Opens in the current file's folder; with no such file, in whatever folder
// the shared dialog was left at, by either Browse button. A failed or
// cancelled dialog keeps the path box's text.
void frmSettingEx::BrowseForFile(const forms::Control& pathBox, const std::u16string& filter) {
  const auto current = pathBox.text();
  if (Mshared::FileExists(current)) CmDialog.initDir = Mshared::GetParentFolder(current);
  CmDialog.flags = forms::kOpenFileMustExist | forms::kOpenHideReadOnly;
  CmDialog.filter = filter;
  if (!dialogs().showOpen(handle(), CmDialog)) return;
  pathBox.setText(CmDialog.fileName);
}

// A drop fills the path box of the page in front, as long as the user could
// type there; other pages have no path to take it.
void frmSettingEx::Form_FileDrop(const std::u16string& path) {
  const auto tab = SSTab1.currentTab();
  if (!tab) return;
  const forms::Control* pathBox = nullptr;
  if (*tab == kPicturePage) pathBox = &txtBgPict;
  if (*tab == kSoundPage) pathBox = &txtSoundFile;
  if (pathBox && pathBox->enabled()) pathBox->setText(path);
}

}  // namespace tollivor
