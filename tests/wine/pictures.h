// Picture files written by the tests themselves, and what a picture box
// paints, read back pixel by pixel.
#pragma once

#include <windows.h>

#include <string>

namespace tollivor::test {

// A one-image .ico file of size x size pixels, fully opaque: the left half
// in `left`, the right half in `right`.
bool writeIconFile(const std::wstring& path, int size, COLORREF left, COLORREF right);
// A 24-bit .bmp file of one colour.
bool writeBitmapFile(const std::wstring& path, int width, int height, COLORREF colour);
bool writeTextFile(const std::wstring& path, const std::string& content);

// What a window paints into its client area (WM_PRINTCLIENT), at one point
// of its top-left 64 x 64 pixels.
COLORREF paintedPixel(HWND window, int x, int y);

// The picture box among a dialog's children (the first one).
HWND pictureBoxOf(HWND dialog);

}  // namespace tollivor::test
