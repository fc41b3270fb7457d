// Screenshots taken from inside a test, of the window just checked: the
// screen's pixels under the window, written as a 24-bit BMP file.
#pragma once

#include <windows.h>

#include <string>

namespace tollivor::test {

// Writes the window as NAME.bmp into the folder named by the environment
// variable TOLLIVOR_SCREENSHOTS. True when written; false when the variable
// is unset or anything failed.
bool saveScreenshot(HWND window, const std::wstring& name);

}  // namespace tollivor::test
