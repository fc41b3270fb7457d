// The group property dialog: a group's name and the icon file that stands
// for it, with a preview of the icon. OK keeps the new group record as the
// form's result text and hides the form; Cancel empties it.
#pragma once

#include "forms/Form.h"

namespace tollivor {

class frmGroup : public forms::Form {
 public:
  frmGroup();

  static constexpr const char16_t* kTitle = u"Group Property";
  static constexpr const char16_t* kBarInNamePrompt =
      u"You cannot use the character \"|\" in Group Name. Please change it. ";
  static constexpr const char16_t* kNoNamePrompt = u"Please input a valid group name. ";
  static constexpr const char16_t* kNoIconPrompt = u"You must provide a valid icon file. ";

  forms::Control lblTmp1{*this, "lblTmp1"};
  forms::Control txtGroupName{*this, "txtGroupName"};
  forms::Control cmdChangeIcon{*this, "cmdChangeIcon"};
  forms::Control cmdOK{*this, "cmdOK"};
  forms::Control cmdCancel{*this, "cmdCancel"};
  forms::Control pictIcon{*this, "pictIcon"};        // the 32 x 32 icon preview
  forms::Control lblIconPath{*this, "lblIconPath"};  // never shown: the icon path
  forms::ControlArray<2> Line1{*this, "Line1"};
  forms::CommonDialogSettings CMDialog;

  void cmdChangeIcon_Click();
  void cmdOK_Click();
  void cmdCancel_Click();
  void Form_FileDrop(const std::u16string& path);

 protected:
  void resetDesignState() override;

 private:
  // Beeps, shows the prompt, then puts the focus where the user must correct.
  // The chosen file becomes the icon path and its picture the preview.
  void useIconFile(const std::u16string& path);
  void refuse(const char16_t* prompt, const forms::Control& focusAfter);
};

// The control table of the group dialog.
forms::FormTable frmGroupTable();

}  // namespace tollivor
