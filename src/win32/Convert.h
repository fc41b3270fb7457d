// Conversions between the portable core's 16-bit strings and the Win32
// API's wide strings (wchar_t is 16 bits here).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tollivor::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are 16-bit");

inline const wchar_t* wide(const std::u16string& text) noexcept {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string fromWide(const wchar_t* text, size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

inline std::u16string fromWide(const wchar_t* text) {
  return text ? fromWide(text, wcslen(text)) : std::u16string{};
}

// The window's text, or nullopt when it cannot be read.
inline std::optional<std::u16string> windowText(HWND window) noexcept {
  if (!IsWindow(window)) return std::nullopt;
  const int length = GetWindowTextLengthW(window);
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, buffer.data(), length + 1);
  return fromWide(buffer.data(), static_cast<size_t>(got < 0 ? 0 : got));
}

}  // namespace tollivor::win32
