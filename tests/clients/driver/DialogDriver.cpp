// DialogDriver.exe "Item Property" ["&OK"]: ends a modal dialog of another
// process as its user would. Waits for the visible top-level window with the
// caption, then clicks its button of that caption, or gives its close
// command; posted, never sent, as the dialog may be about to show a message
// box. Exits 0 when it acted, 1 when no dialog showed within a minute, 2 on
// a bad command line, 3 when the dialog has no such button.
#include <windows.h>
#include <shellapi.h>

// The button with this caption among the window's descendants (tab pages too).
static HWND findButton(HWND parent, const wchar_t* caption) {
  HWND found = FindWindowExW(parent, nullptr, L"Button", caption);
  for (HWND child = nullptr; !found && (child = FindWindowExW(parent, child, nullptr, nullptr));)
    found = findButton(child, caption);
  return found;
}

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 2;
  HWND dialog = nullptr;  // not a hidden form of that caption, which waits for its Show
  for (DWORD start = GetTickCount(); !dialog && GetTickCount() - start < 60000; Sleep(50))
    for (HWND w = nullptr; !dialog && (w = FindWindowExW(nullptr, w, nullptr, argv[1]));)
      if (IsWindowVisible(w)) dialog = w;
  if (!dialog) return 1;
  if (argc < 3) return PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
  HWND button = findButton(dialog, argv[2]);
  return !button ? 3 : PostMessageW(button, BM_CLICK, 0, 0) ? 0 : 1;
}
