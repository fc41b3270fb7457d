// The settings dialog's pages 0 to 4: Behavior, Speed, Tooltip, Direction
// and Smart Slide. One row per control, rectangles relative to the page.
#include "settings/frmSettingEx.h"

namespace tollivor {

using namespace forms;

void addPages0to4(std::vector<ControlRow>& rows) {
  addPage(rows, 0, {  // "Behavior"
      {.kind = Kind::Label, .name = "Label1", .index = 0,
       .caption = u"Choose when Tollivar will be shown.", .rect = {120, 120, 3120, 210}},
      {.kind = Kind::OptionButton, .name = "OptClick", .caption = u"Show when clicking on it",
       .rect = {390, 600, 2535, 210}, .flags = kChecked},
      {.kind = Kind::OptionButton, .name = "OptMove", .caption = u"Show when cursor is on top of it",
       .rect = {390, 960, 2895, 210}},
  });
  addPage(rows, 1, {  // "Speed "
      {.kind = Kind::Label, .name = "Label1", .index = 1,
       .caption = u"Choose how fast Tollivar will be shown.", .rect = {120, 120, 3360, 210}},
      {.kind = Kind::OptionButton, .name = "optNoMove", .caption = u"No animation",
       .rect = {360, 600, 1455, 255}},
      {.kind = Kind::OptionButton, .name = "OptVeryFast", .caption = u"Very fast",
       .rect = {360, 990, 1215, 210}},
      {.kind = Kind::OptionButton, .name = "OptFast", .caption = u"Fairly fast",
       .rect = {2040, 600, 1335, 210}},
      {.kind = Kind::OptionButton, .name = "OptSlow", .caption = u"Slow",
       .rect = {2040, 990, 1215, 210}, .flags = kChecked},
  });
  addPage(rows, 2, {  // "Tooltip "
      {.kind = Kind::Label, .name = "Label1", .index = 2,
       .caption = u"Choose whether Tollivar should display \"tooltips\" when the cursor is on an item.",
       .rect = {120, 120, 3615, 495}},
      {.kind = Kind::OptionButton, .name = "OptToolTip", .caption = u"Display tooltips",
       .rect = {390, 720, 1575, 195}, .flags = kChecked},
      {.kind = Kind::OptionButton, .name = "OptNoToolTip", .caption = u"Do not display tooltips",
       .rect = {390, 1080, 2295, 195}},
  });
  addPage(rows, 3, {  // "Direction "
      {.kind = Kind::Label, .name = "Label1", .index = 3,
       .caption = u"Choose the direction from which Tollivar slides. ", .rect = {120, 120, 3900, 210}},
      // The right column first: its windows then lie above the left
      // column's, whose rectangles reach into the right column's buttons.
      {.kind = Kind::OptionButton, .name = "optSlideDirection", .index = 2,
       .caption = u"From top to bottom", .rect = {2160, 600, 1815, 210}},
      {.kind = Kind::OptionButton, .name = "optSlideDirection", .index = 3,
       .caption = u"From bottom to top", .rect = {2160, 960, 1695, 210}},
      {.kind = Kind::OptionButton, .name = "optSlideDirection", .index = 0,
       .caption = u"From right to left", .rect = {240, 600, 2055, 210}},
      {.kind = Kind::OptionButton, .name = "optSlideDirection", .index = 1,
       .caption = u"From left to right", .rect = {240, 960, 2055, 210}, .flags = kChecked},
  });
  addPage(rows, 4, {  // "Smart Slide "; the label ends in two blanks
      {.kind = Kind::Label, .name = "Label1", .index = 4,
       .caption = u"Choose the Smart Slide option. If Smart Slide is on, Tollivar adjusts its "
                  u"position when sliding so that you can see the entire bar (if it is partially "
                  u"hidden).  ",
       // Four lines of Tahoma 8.25 pt, down to the first option: the 615
       // twips of the original layout hold three and cut off "hidden).".
       .rect = {120, 120, 3885, 780}},
      {.kind = Kind::OptionButton, .name = "optSmartSlide", .index = 0, .caption = u"Use Smart Slide",
       .rect = {390, 900, 1695, 210}, .flags = kChecked},
      {.kind = Kind::OptionButton, .name = "optSmartSlide", .index = 1,
       .caption = u"Do not use Smart Slide", .rect = {390, 1230, 2175, 210}},
  });
}

}  // namespace tollivor
