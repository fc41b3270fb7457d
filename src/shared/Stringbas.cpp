#include "shared/Stringbas.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tollivor::Stringbas {

namespace {

// Textual comparison: letters compare equal to their other case. Covers the
// letters of the system's Western code page (ASCII and Latin-1).
char16_t foldCase(char16_t c) noexcept {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 0x20);
  return c;
}

// The runtime's InStr with textual comparison: the 1-based position of the
// first occurrence of `sought` at or after `start`, or 0. An empty `sought`
// is found at `start` itself; an empty text holds nothing.
std::size_t findFrom(std::size_t start, const std::u16string& text, const std::u16string& sought) {
  if (text.empty() || start > text.size()) return 0;
  if (sought.empty()) return start;
  if (sought.size() > text.size()) return 0;
  for (std::size_t i = start - 1; i + sought.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < sought.size() && foldCase(text[i + k]) == foldCase(sought[k])) ++k;
    if (k == sought.size()) return i + 1;
  }
  return 0;
}

// Positions are held as 16-bit signed numbers: one that does not fit fails
// to be stored, and the variable keeps its 0.
std::int16_t heldPosition(std::size_t position) {
  return position <= INT16_MAX ? static_cast<std::int16_t>(position) : 0;
}

// The runtime's Mid: `count` characters from 1-based `start`; nullopt where
// the runtime raises an error (a negative count).
std::optional<std::u16string> mid(const std::u16string& text, std::int64_t start, std::int64_t count) {
  if (start < 1 || count < 0) return std::nullopt;
  const auto from = static_cast<std::size_t>(start - 1);
  if (from >= text.size()) return std::u16string{};
  return text.substr(from, static_cast<std::size_t>(count));
}

}  // namespace

std::u16string StrBefore(const std::u16string& text, const std::u16string& separator) {
  const std::int16_t p = heldPosition(findFrom(1, text, separator));
  if (p == 0) return {};
  return text.substr(0, static_cast<std::size_t>(p - 1));
}

std::u16string StrAfter(const std::u16string& text, const std::u16string& separator) {
  const std::int16_t p = heldPosition(findFrom(1, text, separator));
  if (p == 0) return {};
  const auto len = static_cast<std::int64_t>(text.size());
  const auto sepLen = static_cast<std::int64_t>(separator.size());
  return mid(text, p + sepLen, len - p - sepLen + 1).value_or(std::u16string{});
}

std::u16string StrBetween(const std::u16string& text, const std::u16string& first,
                          const std::u16string& second) {
  const std::int16_t p1 = heldPosition(findFrom(1, text, first));
  // Both searches run before either is tested; with p1 = 0 the second starts
  // at 1. (From p1 = 32,767 it could only find a separator past the limit.)
  const std::int16_t p2 = heldPosition(findFrom(static_cast<std::size_t>(p1) + 1, text, second));
  if (p1 == 0 || p2 == 0) return {};
  const auto firstLen = static_cast<std::int64_t>(first.size());
  // A negative count (the second separator overlaps the first) is an error
  // of the runtime's Mid, which leaves the result empty.
  return mid(text, p1 + firstLen, p2 - p1 - firstLen).value_or(std::u16string{});
}

}  // namespace tollivor::Stringbas
