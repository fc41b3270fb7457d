// What each kind of control does, in one place: both platforms consult
// these rules, so a handler that works on one works on the other. The rules
// are those of the Win32 platform, the product.
#pragma once

#include <cstdint>

#include "forms/ControlTable.h"
#include "sdk/StoredColour.h"

namespace tollivor::forms {

// System colour numbers of the defaults below (the window system's own).
inline constexpr int kSysWindow = 5;
inline constexpr int kSysWindowText = 8;
inline constexpr int kSysButtonFace = 15;
inline constexpr int kSysButtonText = 18;

// One row per kind. A kind's own behaviour beyond these (a combo box's list,
// a tab strip's pages, a picture box's drawing) lives with its operations.
struct KindTraits {
  bool window = true;       // a window of its own: enabled, font, front, size; lines are drawn
  bool hasText = true;      // a caption or text to read and set
  bool focusable = false;   // takes the focus when shown and enabled
  bool clicks = false;      // a mouse click raises Click (a combo box's pick and a
                            // tab strip's tab choice raise it too)
  bool hovers = false;      // the pointer moving over it raises MouseMove
  bool foreColour = false;  // text or line colour, readable and settable
  bool backColour = false;
  bool border = false;      // the sunken border can be switched
  bool hasValue = false;    // a value of 0 or 1; a change from code raises Click
  bool exclusive = false;   // selecting one clears the others of its container
                            // (and only selecting raises Click)
  bool typed = false;       // the user types into it
  bool accessKey = false;   // the & letter of its caption reaches it
  Colour fore = systemColour(kSysButtonText);  // colours of a new control
  Colour back = systemColour(kSysButtonFace);
};

constexpr KindTraits traits(Kind kind) noexcept {
  constexpr Colour fieldText = systemColour(kSysWindowText), field = systemColour(kSysWindow);
  switch (kind) {
    case Kind::Label:
      return {.hovers = true, .foreColour = true, .backColour = true, .accessKey = true};
    case Kind::TextBox:
      return {.focusable = true, .typed = true, .fore = fieldText, .back = field};
    case Kind::ComboBox:
      return {.focusable = true, .typed = true, .fore = fieldText, .back = field};
    case Kind::CommandButton:
      return {.focusable = true, .clicks = true, .hovers = true, .accessKey = true};
    case Kind::OptionButton:
      return {.focusable = true, .clicks = true, .hasValue = true, .exclusive = true, .accessKey = true};
    case Kind::CheckBox:
      return {.focusable = true, .clicks = true, .hasValue = true, .accessKey = true};
    case Kind::PictureBox:
      return {.hasText = false, .hovers = true, .foreColour = true, .backColour = true, .border = true};
    case Kind::Line:
      return {.window = false, .hasText = false, .foreColour = true, .fore = fieldText};
    case Kind::TabStrip:
      return {.hasText = false, .focusable = true};
  }
  return {};
}

}  // namespace tollivor::forms
