// Conversions between the portable core's types and the Win32 API's:
// 16-bit strings (wchar_t is 16 bits here), twips and pixels, colours, and
// the 32-bit handle values that cross the component's interfaces.
#pragma once

#include <windows.h>

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "forms/Platform.h"

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

// Twips to pixels at the fixed factor, to the nearest pixel.
inline int toPixels(int twips) noexcept {
  return static_cast<int>(std::lround(static_cast<double>(twips) / forms::kTwipsPerPixel));
}

inline int toTwips(int pixels) noexcept { return pixels * forms::kTwipsPerPixel; }

// A platform colour as GDI draws it: system colours are looked up.
inline COLORREF toColorRef(forms::Colour colour) noexcept {
  if (colour & forms::kSystemColourFlag) return GetSysColor(colour & 0xFF);
  return static_cast<COLORREF>(colour) & 0xFFFFFF;
}

// Icon handles cross as 32-bit values; user handles fit, and sign extension
// gives the original handle back on 64-bit Windows.
inline HICON toIcon(forms::IconHandle icon) noexcept {
  return reinterpret_cast<HICON>(static_cast<INT_PTR>(icon));
}

inline forms::IconHandle fromIcon(HICON icon) noexcept {
  return static_cast<forms::IconHandle>(reinterpret_cast<INT_PTR>(icon));
}

inline HWND toWindow(forms::WindowHandle handle) noexcept { return reinterpret_cast<HWND>(handle); }

inline forms::WindowHandle fromWindow(HWND window) noexcept {
  return reinterpret_cast<forms::WindowHandle>(window);
}

}  // namespace tollivor::win32
