// The settings dialog's pages 5 to 9: Colors, Picture, Appearence, Sound and
// Group. One row per control, rectangles relative to the page.
#include "settings/frmSettingEx.h"

namespace tollivor {

using namespace forms;

void addPages5to9(std::vector<ControlRow>& rows) {
  addPage(rows, 5, {  // "Colors "
      {.kind = Kind::Label, .name = "Label1", .index = 5,
       .caption = u"Choose the color of the label \"Tollivar\". ", .rect = {120, 120, 3270, 210}},
      {.kind = Kind::Label, .name = "Label1", .index = 7, .caption = u"Normal state:",
       .rect = {360, 480, 945, 210}},
      {.kind = Kind::CommandButton, .name = "cmdNormalState", .caption = u"...",
       .rect = {1440, 480, 375, 255}},
      {.kind = Kind::Label, .name = "Label1", .index = 8, .caption = u"Mouse Over:",
       .rect = {360, 840, 930, 210}},
      {.kind = Kind::CommandButton, .name = "cmdMouseOver", .caption = u"...",
       .rect = {1440, 840, 375, 255}},
      {.kind = Kind::Label, .name = "Label1", .index = 9, .caption = u"Preview:",
       .rect = {645, 1200, 645, 210}},
      {.kind = Kind::Label, .name = "lblSample", .caption = u"Tollivar", .rect = {1440, 1200, 1095, 225},
       .font = {u"MS Sans Serif", 9, true}},
      // Never shown: it only holds the two colours.
      {.kind = Kind::Label, .name = "lblSample2", .caption = u"Label2", .rect = {3240, 1200, 615, 255},
       .flags = kHidden},
  });
  addPage(rows, 6, {  // "Picture "
      {.kind = Kind::Label, .name = "Label1", .index = 6, .caption = u"Choose the background picture. ",
       .rect = {120, 120, 2355, 210}},
      {.kind = Kind::CheckBox, .name = "chkUseBg", .caption = u"Use background picture.",
       .rect = {240, 480, 2175, 210}},
      {.kind = Kind::Label, .name = "Label1", .index = 14, .caption = u"Picture File: ",
       .rect = {600, 840, 870, 210}},
      {.kind = Kind::TextBox, .name = "txtBgPict", .rect = {1485, 810, 2655, 315},
       .flags = kDisabled | kPathCompletion},
      {.kind = Kind::CommandButton, .name = "cmdBrowsePict", .caption = u"Browse...",
       .rect = {3000, 1200, 1095, 375}, .flags = kDisabled},
  });
  addPage(rows, 7, {  // "Appearence "
      {.kind = Kind::Label, .name = "Label1", .index = 10,
       .caption = u"Choose the appearence of an item in Tollivar when the mouse moves over it. ",
       .rect = {120, 120, 3780, 450}},
      {.kind = Kind::OptionButton, .name = "OptAppearence", .index = 0, .caption = u"No effect",
       .rect = {360, 720, 1215, 255}, .flags = kChecked},
      {.kind = Kind::OptionButton, .name = "OptAppearence", .index = 1,
       .caption = u"Make it look like a button", .rect = {360, 1080, 3255, 255}},
  });
  addPage(rows, 8, {  // "Sound "
      {.kind = Kind::Label, .name = "Label1", .index = 11, .caption = u"Choose a sound file.",
       .rect = {120, 120, 3780, 210}},
      {.kind = Kind::CheckBox, .name = "chkSoundFile",
       .caption = u"Play a sound file when Tollivar is shown.", .rect = {120, 480, 3735, 255},
       .flags = kChecked},
      {.kind = Kind::Label, .name = "Label1", .index = 12, .caption = u"Sound File: ",
       .rect = {600, 870, 840, 210}},
      {.kind = Kind::TextBox, .name = "txtSoundFile", .rect = {1440, 840, 2655, 285},
       .flags = kPathCompletion},
      {.kind = Kind::CommandButton, .name = "cmdSoundBrowse", .caption = u"Browse...",
       .rect = {3000, 1200, 1095, 375}},
  });
  addPage(rows, 9, {  // "Group "
      {.kind = Kind::Label, .name = "Label1", .index = 13,
       .caption = u"Choose how Tollivar handles Group.", .rect = {120, 120, 3780, 450}},
      {.kind = Kind::OptionButton, .name = "OptGroup", .index = 0,
       .caption = u"Open group when clicking on it", .rect = {360, 600, 2895, 255}, .flags = kChecked},
      {.kind = Kind::OptionButton, .name = "OptGroup", .index = 1,
       .caption = u"Open group when the mouse moves over it", .rect = {360, 960, 3615, 255}},
  });
}

}  // namespace tollivor
