// The bar: a narrow tool window with the caption label "Tollivar" on top and
// one button per entry below it. A click opens an item; the right button
// offers the entry's Properties and the bar's own commands. Every edit goes
// through Tollivor.dll; the entries file and the settings store are read
// again after each one.
#pragma once

#include <windows.h>

#include <string>

namespace tollivor::host {

inline constexpr wchar_t kBarCaption[] = L"Tollivar";

// The bar's commands, as its menus send them (WM_COMMAND).
enum BarCommand : UINT {
  kCmdAddItem = 100,
  kCmdSettings,
  kCmdAbout,
  kCmdExit,
  kCmdPropertiesFirst = 1000,  // + the entry's index
};

struct BarOptions {
  std::wstring entriesPath;
  bool playSound = true;
  bool quitOnClose = true;
};

// Creates the bar, shown; nullptr on failure.
HWND CreateBar(HINSTANCE instance, const BarOptions& options);

// Where the bar draws, in client pixels.
RECT BarLabelRect();
RECT BarEntryRect(int index);

// The bar's tooltip window (owned by the bar).
HWND BarTooltips(HWND bar);

}  // namespace tollivor::host
