// What each kind of control does, in one place: both platforms consult
// these rules, so a handler that works on one works on the other. The rules
// are those of the Win32 platform, the product.
#pragma once

#include <cstdint>

#include "forms/ControlTable.h"

namespace tollivor::forms {

// System colour numbers of the defaults below (the window system's own).
inline constexpr int kSysWindow = 5;
inline constexpr int kSysWindowText = 8;
inline constexpr int kSysButtonFace = 15;
inline constexpr int kSysButtonText = 18;
inline constexpr int kLastSystemColour = 30;

struct KindTraits {
  bool window;      // a window of its own: enabled, font, front, size; lines are drawn
  bool hasText;     // a caption or text to read and set
  bool focusable;   // takes the focus when shown and enabled
  bool clicks;      // a mouse click raises Click (a combo box's pick and a
                    // tab strip's tab choice raise it too)
  bool hovers;      // the pointer moving over it raises MouseMove
  bool foreColour;  // text or line colour, readable and settable
  bool backColour;
  bool border;      // the sunken border can be switched
  Colour fore;      // colours of a new control
  Colour back;
};

constexpr KindTraits traits(Kind kind) noexcept {
  constexpr Colour text = systemColour(kSysButtonText), face = systemColour(kSysButtonFace);
  constexpr Colour fieldText = systemColour(kSysWindowText), field = systemColour(kSysWindow);
  switch (kind) {
    case Kind::Label:
      return {true, true, false, false, true, true, true, false, text, face};
    case Kind::TextBox:
      return {true, true, true, false, false, false, false, false, fieldText, field};
    case Kind::ComboBox:
      return {true, true, true, false, false, false, false, false, fieldText, field};
    case Kind::CommandButton:
      return {true, true, true, true, true, false, false, false, text, face};
    case Kind::OptionButton:
    case Kind::CheckBox:
      return {true, true, true, true, false, false, false, false, text, face};
    case Kind::PictureBox:
      return {true, false, false, false, true, true, true, true, text, face};
    case Kind::Line:
      return {false, false, false, false, false, true, false, false, fieldText, face};
    case Kind::TabStrip:
      return {true, false, true, false, false, false, false, false, text, face};
  }
  return {};
}

// An RGB value, or a system colour number the system knows.
constexpr bool isValidColour(Colour colour) noexcept {
  const auto bits = static_cast<std::uint32_t>(colour);
  if ((bits & 0xFF000000u) == 0) return true;
  return (bits & 0xFF000000u) == 0x80000000u && (bits & 0x00FFFFFFu) <= kLastSystemColour;
}

}  // namespace tollivor::forms
