// A colour as the settings store keeps it: the signed decimal text of a
// colour value. The settings dialog and the host bar read it alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tollivor {

// An RGB value, or a system colour number the system knows (0 to 30): the
// colours a control takes, and so the only ones a stored colour may name.
constexpr bool isValidColour(std::int32_t colour) noexcept {
  const auto bits = static_cast<std::uint32_t>(colour);
  if ((bits & 0xFF000000u) == 0) return true;
  return (bits & 0xFF000000u) == 0x80000000u && (bits & 0x00FFFFFFu) <= 30;
}

// The colour a stored text names: the text read as a number (blanks around
// it allowed, as the runtime's conversion allows them) and rounded half to
// even, when that fits in 32 bits and is an RGB value or a system colour the
// system knows; nothing otherwise, "" included.
std::optional<std::int32_t> ColourFromText(std::u16string_view text) noexcept;
// The signed decimal text a colour is stored as.
std::u16string ColourText(std::int32_t colour);

}  // namespace tollivor
