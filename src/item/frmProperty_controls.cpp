// The item dialog's layout: one row per control, in tab order.
#include "item/frmProperty.h"

namespace tollivor {

using namespace forms;

FormTable frmPropertyTable() {
  const Font arial{u"Arial", 8.25, false};
  auto row = [](Kind kind, const char* name, int index, const char16_t* caption, Rect rect,
                std::optional<Font> font = std::nullopt, unsigned flags = kNoFlags) {
    ControlRow c;
    c.kind = kind;
    c.name = name;
    c.index = index;
    c.caption = caption;
    c.rect = rect;
    c.font = font;
    c.flags = flags;
    return c;
  };
  FormTable table;
  table.caption = u"Item Property";
  table.clientWidth = 3960;
  table.clientHeight = 2520;
  table.controls = {
      row(Kind::Label, "Label1", 0, u"File/Fol&der", {720, 120, 735, 210}, arial),
      row(Kind::ComboBox, "Text1", -1, u"", {720, 360, 3135, 330}, arial),
      row(Kind::CommandButton, "cmdFolder", -1, u"Browse F&older", {1320, 780, 1215, 375}),
      row(Kind::CommandButton, "cmdFile", -1, u"Browse &File", {2640, 780, 1215, 375}),
      row(Kind::Label, "Label1", 1, u"&Tooltip", {720, 1200, 465, 210}, arial),
      row(Kind::TextBox, "Text2", -1, u"", {720, 1440, 3135, 315}, arial),
      row(Kind::CommandButton, "cmdOK", -1, u"&OK", {1800, 2040, 975, 375}, {}, kDefault),
      row(Kind::CommandButton, "cmdCancel", -1, u"&Cancel", {2880, 2040, 975, 375}, {}, kCancel),
      row(Kind::PictureBox, "Picture1", -1, u"", {120, 120, 480, 480}),
      // The etched separator above the buttons: end points, not a size.
      row(Kind::Line, "Line1", 0, u"", {5880, 1920, 0, 1920}),
      row(Kind::Line, "Line1", 1, u"", {6360, 1935, -240, 1935}),
  };
  return table;
}

}  // namespace tollivor
