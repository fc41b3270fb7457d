// A small form that the platform tests run on both backends: a label with an
// access key, a text box, a check box, two options, a picture box, a line,
// and OK (default) and Cancel (cancel) buttons.
#pragma once

#include <string>

#include "forms/Form.h"

namespace tollivor::test {

inline forms::FormTable testFormTable() {
  using namespace tollivor::forms;
  const Font arial{u"Arial", 8.25, false};
  FormTable table;
  table.caption = u"Tollivor Test Form";
  table.clientWidth = 3960;
  table.clientHeight = 2520;
  auto add = [&](Kind kind, std::string name, int index, std::u16string caption, Rect rect,
                 unsigned flags = kNoFlags) {
    ControlRow c;
    c.kind = kind;
    c.name = std::move(name);
    c.index = index;
    c.caption = std::move(caption);
    c.rect = rect;
    c.flags = flags;
    if (kind == Kind::Label || kind == Kind::TextBox) c.font = arial;
    table.controls.push_back(std::move(c));
  };
  add(Kind::Label, "lblName", -1, u"&Name", {720, 120, 735, 210});
  add(Kind::TextBox, "txtName", -1, u"", {720, 360, 3135, 315});
  add(Kind::CheckBox, "chkFlag", -1, u"&Flag", {720, 780, 1215, 255});
  add(Kind::OptionButton, "optChoice", 0, u"One", {720, 1140, 975, 255}, kChecked);
  add(Kind::OptionButton, "optChoice", 1, u"Two", {1800, 1140, 975, 255});
  add(Kind::CommandButton, "cmdOK", -1, u"&OK", {1800, 2040, 975, 375}, kDefault);
  add(Kind::CommandButton, "cmdCancel", -1, u"&Cancel", {2880, 2040, 975, 375}, kCancel);
  add(Kind::PictureBox, "picPreview", -1, u"", {120, 120, 480, 480});
  table.controls.push_back({.kind = Kind::Line, .name = "Line1", .line = {0, 1920, 5880, 1920}});
  return table;
}

class TestForm : public forms::Form {
 public:
  TestForm() : Form(testFormTable()) {
    on(cmdOK, forms::Event::Click, [this](int) {
      resultText = txtName.text();
      hide();
    });
    on(cmdCancel, forms::Event::Click, [this](int) { hide(); });
  }

  forms::Control txtName{*this, "txtName"};
  forms::Control chkFlag{*this, "chkFlag"};
  forms::Control cmdOK{*this, "cmdOK"};
  forms::Control cmdCancel{*this, "cmdCancel"};
  forms::Control picPreview{*this, "picPreview"};

  int loads = 0;

 protected:
  void Form_Load() override { ++loads; }
};

}  // namespace tollivor::test
