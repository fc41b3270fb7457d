// 32-bit signed arithmetic as the shared routines do it: a result that does
// not fit is an overflow, which fails the step that computed it.
#pragma once

#include <cstdint>
#include <optional>

namespace tollivor::shared {

inline std::optional<std::int32_t> toInt32(std::int64_t value) noexcept {
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

inline std::optional<std::int32_t> add32(std::int32_t a, std::int32_t b) noexcept {
  return toInt32(std::int64_t{a} + b);
}

inline std::optional<std::int32_t> sub32(std::int32_t a, std::int32_t b) noexcept {
  return toInt32(std::int64_t{a} - b);
}

inline std::optional<std::int32_t> mul32(std::int32_t a, std::int32_t b) noexcept {
  return toInt32(std::int64_t{a} * b);
}

}  // namespace tollivor::shared
