// The item property dialog: the target of one bar item (a special item or a
// path, typed, picked or browsed), its tooltip, and a preview of its icon.
// OK keeps the new item record as the form's result text and hides the form.
#pragma once

#include "forms/Form.h"

namespace tollivor {

class frmProperty : public forms::Form {
 public:
  frmProperty();

  static constexpr const char16_t* kNotExistPrompt =
      u"Specified file/directory/item does not exist. Enter a valid file/directory/item name. ";

  forms::ControlArray<2> Label1{*this, "Label1"};
  forms::Control Text1{*this, "Text1"};  // the target: an editable line with a list
  forms::Control cmdFolder{*this, "cmdFolder"};
  forms::Control cmdFile{*this, "cmdFile"};
  forms::Control Text2{*this, "Text2"};  // the tooltip
  forms::Control cmdOK{*this, "cmdOK"};
  forms::Control cmdCancel{*this, "cmdCancel"};
  forms::Control Picture1{*this, "Picture1"};  // the 32 x 32 icon preview
  forms::ControlArray<2> Line1{*this, "Line1"};
  forms::CommonDialogSettings CMDialog;

  void AddItemsToCombo();
  void Text1_Click();
  void cmdFile_Click();
  void cmdFolder_Click();
  void cmdOK_Click();
  void cmdCancel_Click();
  void Form_FileDrop(const std::u16string& path);

 protected:
  void resetDesignState() override;
  void Form_Load() override;

 private:
  void keepRecord();
  // A chosen file or folder becomes the target and its icon the preview.
  void useChosenTarget(const std::u16string& path);
};

// The control table of the item dialog.
forms::FormTable frmPropertyTable();

}  // namespace tollivor
