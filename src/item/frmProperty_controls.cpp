// The item dialog's layout: one row per control, in tab order.
#include "item/frmProperty.h"

namespace tollivor {

using namespace forms;

FormTable frmPropertyTable() {
  constexpr FontSpec arial{u"Arial", 8.25, false};
  FormTable table;
  table.caption = u"Item Property";
  table.clientWidth = 3960;
  table.clientHeight = 2520;
  table.controls = controlRows({
      {.kind = Kind::Label, .name = "Label1", .index = 0, .caption = u"File/Fol&der",
       .rect = {720, 120, 735, 210}, .font = arial},
      {.kind = Kind::ComboBox, .name = "Text1", .rect = {720, 360, 3135, 330}, .font = arial,
       .flags = kPathCompletion},
      {.kind = Kind::CommandButton, .name = "cmdFolder", .caption = u"Browse F&older",
       .rect = {1320, 780, 1215, 375}},
      {.kind = Kind::CommandButton, .name = "cmdFile", .caption = u"Browse &File",
       .rect = {2640, 780, 1215, 375}},
      {.kind = Kind::Label, .name = "Label1", .index = 1, .caption = u"&Tooltip",
       .rect = {720, 1200, 465, 210}, .font = arial},
      {.kind = Kind::TextBox, .name = "Text2", .rect = {720, 1440, 3135, 315}, .font = arial},
      {.kind = Kind::CommandButton, .name = "cmdOK", .caption = u"&OK",
       .rect = {1800, 2040, 975, 375}, .flags = kDefault},
      {.kind = Kind::CommandButton, .name = "cmdCancel", .caption = u"&Cancel",
       .rect = {2880, 2040, 975, 375}, .flags = kCancel},
      {.kind = Kind::PictureBox, .name = "Picture1", .rect = {120, 120, 480, 480}},
      // The etched separator above the buttons.
      {.kind = Kind::Line, .name = "Line1", .index = 0, .line = {5880, 1920, 0, 1920},
       .foreColour = kButtonShadowColour},
      {.kind = Kind::Line, .name = "Line1", .index = 1, .line = {6360, 1935, -240, 1935},
       .foreColour = k3DHighlightColour},
  });
  return table;
}

}  // namespace tollivor
