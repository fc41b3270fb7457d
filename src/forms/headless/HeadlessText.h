// Case folding as the file system and the settings store compare names:
// ASCII and Latin-1 letters, which is all the tests use.
#pragma once

#include <string>

namespace tollivor::forms::headless {

inline char16_t foldCase(char16_t c) noexcept {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  return c;
}

inline bool equalsIgnoringCase(const std::u16string& a, const std::u16string& b) noexcept {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (foldCase(a[i]) != foldCase(b[i])) return false;
  return true;
}

inline bool endsWithIgnoringCase(const std::u16string& text, const std::u16string& end) noexcept {
  return text.size() >= end.size() &&
         equalsIgnoringCase(text.substr(text.size() - end.size()), end);
}

}  // namespace tollivor::forms::headless
