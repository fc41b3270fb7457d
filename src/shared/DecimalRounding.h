#pragma once
// Rounds a number written in plain decimal notation to a whole number
// exactly as converting it to the nearest double and then rounding half to
// even would, without the C runtime's floating-point parser (which would add
// some 25 KB to the DLL).
#include <cstdint>
#include <optional>
#include <string_view>

namespace tollivor::DecimalRounding {

// `text` is sign, digits, optional fraction and optional exponent, already
// checked; any other text gives nullopt. nullopt also when the rounded
// value lies outside the 32-bit signed range.
std::optional<std::int32_t> RoundToInt32(std::u16string_view text) noexcept;

}  // namespace tollivor::DecimalRounding
