// The group dialog's layout: one row per control, in tab order.
#include "group/frmGroup.h"

namespace tollivor {

using namespace forms;

FormTable frmGroupTable() {
  constexpr FontSpec tahoma{u"Tahoma", 8.25, false};
  FormTable table;
  table.caption = frmGroup::kTitle;
  table.clientWidth = 3990;
  table.clientHeight = 1950;
  table.controls = controlRows({
      {.kind = Kind::Label, .name = "lblTmp1", .caption = u"&Group Name: ",
       .rect = {840, 120, 990, 195}, .font = tahoma},
      {.kind = Kind::TextBox, .name = "txtGroupName", .rect = {840, 435, 3015, 285},
       .font = tahoma},
      {.kind = Kind::CommandButton, .name = "cmdChangeIcon", .caption = u"Change &Icon...",
       .rect = {2520, 840, 1335, 375}},
      {.kind = Kind::CommandButton, .name = "cmdOK", .caption = u"&OK",
       .rect = {1800, 1440, 975, 375}, .flags = kDefault},
      {.kind = Kind::CommandButton, .name = "cmdCancel", .caption = u"&Cancel",
       .rect = {2880, 1440, 975, 375}, .flags = kCancel},
      {.kind = Kind::PictureBox, .name = "pictIcon", .rect = {120, 120, 480, 480}},
      {.kind = Kind::Label, .name = "lblIconPath", .rect = {120, 1560, 1335, 255},
       .flags = kHidden},
      // The etched separator above the buttons: end points, not a size.
      {.kind = Kind::Line, .name = "Line1", .index = 0, .line = {0, 1320, 5880, 1320},
       .foreColour = kButtonShadowColour},
      {.kind = Kind::Line, .name = "Line1", .index = 1, .line = {0, 1335, 6600, 1335},
       .foreColour = k3DHighlightColour},
  });
  return table;
}

}  // namespace tollivor
