// The forms' values as the Win32 API takes them: twips and pixels, colours,
// and the 32-bit handle values that cross the component's interfaces.
#pragma once

#include <windows.h>

#include <cmath>

#include "forms/ControlTable.h"
#include "forms/FormWindow.h"

namespace tollivor::forms::win32 {

// Twips to pixels at the fixed factor, to the nearest pixel.
inline int toPixels(int twips) noexcept {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

inline int toTwips(int pixels) noexcept { return pixels * kTwipsPerPixel; }

// A platform colour as GDI draws it: system colours are looked up.
inline COLORREF toColorRef(Colour colour) noexcept {
  if (colour & kSystemColourFlag) return GetSysColor(colour & 0xFF);
  return static_cast<COLORREF>(colour) & 0xFFFFFF;
}

// Icon handles cross as 32-bit values; user handles fit, and sign extension
// gives the original handle back on 64-bit Windows.
inline HICON toIcon(IconHandle icon) noexcept {
  return reinterpret_cast<HICON>(static_cast<INT_PTR>(icon));
}

inline IconHandle fromIcon(HICON icon) noexcept {
  return static_cast<IconHandle>(reinterpret_cast<INT_PTR>(icon));
}

inline HWND toWindow(WindowHandle handle) noexcept { return reinterpret_cast<HWND>(handle); }

inline WindowHandle fromWindow(HWND window) noexcept {
  return reinterpret_cast<WindowHandle>(window);
}

}  // namespace tollivor::forms::win32
