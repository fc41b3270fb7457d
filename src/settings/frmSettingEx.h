// The bar settings dialog: ten tabbed pages of options, two colours with a
// hover preview, and a background picture and a sound file with their
// Browse buttons. CSettingEx fills it from the settings store; OK writes the
// store back and hides the form, Cancel only hides it.
#pragma once

#include <string>
#include <vector>

#include "forms/Form.h"

namespace tollivor {

class frmSettingEx : public forms::Form {
 public:
  frmSettingEx();

  static constexpr int kPageCount = 10;
  static constexpr int kPicturePage = 6;
  static constexpr int kSoundPage = 8;

  forms::Control SSTab1{*this, "SSTab1"};
  forms::ControlArray<kPageCount> Picture1{*this, "Picture1"};  // page i belongs to tab i
  forms::ControlArray<15> Label1{*this, "Label1"};
  forms::Control cmdOK{*this, "cmdOK"};
  forms::Control cmdCancel{*this, "cmdCancel"};

  // Page 0, Behavior; page 1, Speed; page 2, Tooltip.
  forms::Control OptClick{*this, "OptClick"};
  forms::Control OptMove{*this, "OptMove"};
  forms::Control optNoMove{*this, "optNoMove"};
  forms::Control OptVeryFast{*this, "OptVeryFast"};
  forms::Control OptFast{*this, "OptFast"};
  forms::Control OptSlow{*this, "OptSlow"};
  forms::Control OptToolTip{*this, "OptToolTip"};
  forms::Control OptNoToolTip{*this, "OptNoToolTip"};
  // Page 3, Direction; page 4, Smart Slide.
  forms::ControlArray<4> optSlideDirection{*this, "optSlideDirection"};
  forms::ControlArray<2> optSmartSlide{*this, "optSmartSlide"};
  // Page 5, Colors: lblSample2 holds the normal colour as its text colour
  // and the mouse-over colour as its background colour.
  forms::Control cmdNormalState{*this, "cmdNormalState"};
  forms::Control cmdMouseOver{*this, "cmdMouseOver"};
  forms::Control lblSample{*this, "lblSample"};
  forms::Control lblSample2{*this, "lblSample2"};
  // Page 6, Picture.
  forms::Control chkUseBg{*this, "chkUseBg"};
  forms::Control txtBgPict{*this, "txtBgPict"};
  forms::Control cmdBrowsePict{*this, "cmdBrowsePict"};
  // Page 7, Appearence; page 8, Sound; page 9, Group.
  forms::ControlArray<2> OptAppearence{*this, "OptAppearence"};
  forms::Control chkSoundFile{*this, "chkSoundFile"};
  forms::Control txtSoundFile{*this, "txtSoundFile"};
  forms::Control cmdSoundBrowse{*this, "cmdSoundBrowse"};
  forms::ControlArray<2> OptGroup{*this, "OptGroup"};

  // The one common dialog of the form, shared by the colour buttons and
  // both Browse buttons: what one use sets stays for the next.
  forms::CommonDialogSettings CmDialog;

  void SSTab1_Click();
  void cmdOK_Click();
  void cmdCancel_Click();

  void cmdNormalState_Click();
  void cmdMouseOver_Click();
  void lblSample_MouseMove();
  void Label1_MouseMove(int index);
  void Picture1_MouseMove(int index);
  void cmdNormalState_MouseMove();
  void cmdMouseOver_MouseMove();
  void chkUseBg_Click();
  void chkSoundFile_Click();
  void cmdBrowsePict_Click();
  void cmdSoundBrowse_Click();
  void Form_FileDrop(const std::u16string& path);

 protected:
  void resetDesignState() override;
  void Form_Load() override;

 private:
  void EnableSoundFile(int value);
  void RestoreSampleColour();
  void BrowseForFile(const forms::Control& pathBox, const std::u16string& filter);
};

// The control table of the settings dialog: the frame, then the pages.
forms::FormTable frmSettingExTable();

// Appends the rows of one page, each placed on Picture1(page).
void addPage(std::vector<forms::ControlRow>& rows, int page,
             std::initializer_list<forms::RowSpec> pageRows);
void addPages0to4(std::vector<forms::ControlRow>& rows);
void addPages5to9(std::vector<forms::ControlRow>& rows);

}  // namespace tollivor
