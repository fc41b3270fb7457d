// The display's scale. Control tables are in twips, 15 to a pixel at 96
// dots per inch; a window is built at its own DPI, so it keeps its
// proportions on any display. The per-window calls exist from Windows 10 on
// and are looked up at run time; older systems answer the screen's DPI.
#pragma once

#include <windows.h>

#include <cmath>

#include "forms/ControlTable.h"

namespace tollivor::forms::win32 {

inline constexpr int kBaseDpi = 96;

// The DPI the window is drawn at.
int windowDpi(HWND window) noexcept;

// The outer rectangle for a client rectangle, with the frame at this DPI.
void adjustForDpi(RECT& rect, HWND window, int dpi) noexcept;

// Keeps the dialog manager from rescaling the form itself: the form lays
// itself out again from its table (Windows 10 per-monitor hosts).
void leaveRescalingToForm(HWND form) noexcept;

// Twips to pixels at a DPI, to the nearest pixel: at 96 exactly the fixed
// factor of 15 twips a pixel.
inline int scaledPixels(int twips, int dpi) noexcept {
  return static_cast<int>(std::lround(static_cast<double>(twips) * dpi /
                                      (forms::kTwipsPerPixel * kBaseDpi)));
}

inline int scaledTwips(int pixels, int dpi) noexcept {
  return MulDiv(pixels, forms::kTwipsPerPixel * kBaseDpi, dpi);
}

// The side of a large icon at a DPI: 32 pixels at 96.
inline int largeIconPixels(int dpi) noexcept { return MulDiv(32, dpi, kBaseDpi); }

}  // namespace tollivor::forms::win32
