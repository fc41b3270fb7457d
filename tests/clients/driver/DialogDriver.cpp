// Ends a modal dialog of another process as its user would: waits for a
// visible top-level window with the caption, then presses its button with
// the given caption, or gives the window's close command:
//   DialogDriver.exe "Item Property" "&OK"
//   DialogDriver.exe "Group Property"
// Exits 0 when it acted, 1 when no such dialog showed within a minute, 2 on
// a bad command line, 3 when the dialog has no such button. It posts, never
// sends: the dialog's thread may be about to block in a message box.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "win32/Convert.h"

namespace {

struct Search {
  std::wstring caption;
  bool topLevel;
  HWND found = nullptr;
};

BOOL CALLBACK match(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  const auto text = tollivor::win32::windowText(window).value_or(std::u16string());
  if (std::wstring(text.begin(), text.end()) != search->caption ||
      (search->topLevel ? !IsWindowVisible(window) : lstrcmpiW(className, L"Button") != 0))
    return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 2;
  Search dialog{argv[1], true}, button{argc > 2 ? argv[2] : L"", false};
  for (DWORD start = GetTickCount(); !dialog.found && GetTickCount() - start < 60000; Sleep(50))
    EnumWindows(match, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog.found) return 1;
  if (argc < 3) return PostMessageW(dialog.found, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
  EnumChildWindows(dialog.found, match, reinterpret_cast<LPARAM>(&button));
  if (!button.found) return 3;
  return PostMessageW(button.found, BM_CLICK, 0, 0) ? 0 : 1;
}
