// The sample bar's window: a button per dialog and a log of what the bar
// learnt from each edit. In tour mode it runs the three edits by itself.
#pragma once

#include <windows.h>

namespace tollivor::host {

inline constexpr wchar_t kHostCaption[] = L"Tollivor Host";

// Creates the window, shown; nullptr on failure.
HWND createHostWindow(HINSTANCE instance, bool tour);

}  // namespace tollivor::host
