// Ends a modal dialog of another process, as its user would: waits until a
// visible top-level window with the given caption appears, then presses the
// button with the given caption, or gives the window's own close command
// when no button is named.
//
//   DialogDriver.exe "Item Property" "&OK"
//   DialogDriver.exe "Group Property"
//
// Exit code 0 when it acted, 1 when no such dialog showed within the time
// limit, 3 when the dialog has no such button.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>

#include "win32/Convert.h"

namespace {

constexpr DWORD kTimeLimitMs = 60000;

struct Search {
  std::wstring caption;
  HWND found = nullptr;
};

std::wstring windowText(HWND window) {
  const auto text = tollivor::win32::windowText(window).value_or(std::u16string());
  return std::wstring(text.begin(), text.end());
}

BOOL CALLBACK matchTopLevel(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (!IsWindowVisible(window) || windowText(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK matchButton(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (lstrcmpiW(className, L"Button") != 0 || windowText(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

// For the log of a run that failed: what the driver could see instead.
BOOL CALLBACK listTopLevel(HWND window, LPARAM) {
  const std::wstring text = windowText(window);
  if (text.empty()) return TRUE;
  RECT r{};
  GetWindowRect(window, &r);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  fwprintf(stderr, L"  '%ls' process %lu %ls at %ld,%ld-%ld,%ld\n", text.c_str(), process,
           IsWindowVisible(window) ? L"visible" : L"hidden", r.left, r.top, r.right, r.bottom);
  return TRUE;
}

int posted(HWND window, UINT message, WPARAM wParam) {
  if (PostMessageW(window, message, wParam, 0)) return 0;
  fwprintf(stderr, L"posting message %#x to %p failed: error %lu\n", message,
           static_cast<void*>(window), GetLastError());
  return 1;
}

HWND waitForDialog(const std::wstring& caption) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kTimeLimitMs) {
    Search search{caption};
    EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(50);
  }
  fwprintf(stderr, L"no visible '%ls' within %lu s; top-level windows with a caption:\n",
           caption.c_str(), kTimeLimitMs / 1000);
  EnumWindows(listTopLevel, 0);
  return nullptr;
}

}  // namespace

int main() {
  int argc = 0;
  const std::unique_ptr<wchar_t*, decltype(&LocalFree)> args(
      CommandLineToArgvW(GetCommandLineW(), &argc), &LocalFree);
  if (!args || argc < 2) return 2;
  wchar_t** argv = args.get();
  HWND dialog = waitForDialog(argv[1]);
  if (!dialog) return 1;
  // Posted, never sent: the dialog's thread may be about to block in a
  // message box of its own.
  if (argc < 3) return posted(dialog, WM_SYSCOMMAND, SC_CLOSE);
  Search button{argv[2]};
  EnumChildWindows(dialog, matchButton, reinterpret_cast<LPARAM>(&button));
  if (!button.found) return 3;
  return posted(button.found, BM_CLICK, 0);
}
