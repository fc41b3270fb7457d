#include "driver.h"

#include <chrono>
#include <vector>

#include "forms/win32/Win32Window.h"
#include "win32/Convert.h"

namespace tollivor::driver {

namespace {

BOOL CALLBACK collectWindow(HWND w, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}

}  // namespace

std::vector<HWND> threadWindows(DWORD thread) {
  std::vector<HWND> windows;
  EnumThreadWindows(thread, &collectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

namespace {

bool isDialogBox(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return std::wstring_view(name) == L"#32770";
}

struct ChildSearch {
  std::wstring_view text;
  HWND found = nullptr;
};

BOOL CALLBACK matchChild(HWND w, LPARAM data);

// The first visible top-level window of the thread that matches.
HWND waitForVisible(DWORD thread, int timeoutMs, const std::function<bool(HWND)>& matches) {
  HWND found = nullptr;
  waitFor(
      [&] {
        for (HWND w : threadWindows(thread))
          if (IsWindowVisible(w) && matches(w)) return (found = w), true;
        return false;
      },
      timeoutMs);
  return found;
}

}  // namespace

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Sleep(10);
  }
  return true;
}

LOGFONTW fontOf(HWND control) {
  LOGFONTW font{};
  if (auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)))
    GetObjectW(handle, sizeof font, &font);
  return font;
}

std::wstring windowText(HWND window) {
  const auto text = win32::windowText(window).value_or(std::u16string());
  return std::wstring(text.begin(), text.end());
}

HWND waitForWindow(DWORD thread, std::wstring_view caption, int timeoutMs) {
  return waitForVisible(thread, timeoutMs, [&](HWND w) { return windowText(w) == caption; });
}

HWND waitForMessageBox(DWORD thread, int timeoutMs) {
  return waitForVisible(thread, timeoutMs, [](HWND w) { return isDialogBox(w) && GetDlgItem(w, 0xFFFF); });
}

HWND waitForDialog(DWORD thread, HWND except, int timeoutMs) {
  return waitForVisible(thread, timeoutMs, [&](HWND w) { return w != except && isDialogBox(w); });
}

HWND findControl(HWND parent, std::wstring_view text) {
  ChildSearch search{text};
  EnumChildWindows(parent, &matchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

namespace {
BOOL CALLBACK matchChild(HWND w, LPARAM data) {
  auto& s = *reinterpret_cast<ChildSearch*>(data);
  if (windowText(w) != s.text) return TRUE;
  s.found = w;
  return FALSE;
}
}  // namespace

namespace {
struct IdSearch {
  int id;
  HWND found = nullptr;
};

BOOL CALLBACK matchId(HWND w, LPARAM data) {
  auto& s = *reinterpret_cast<IdSearch*>(data);
  if (GetDlgCtrlID(w) != s.id) return TRUE;
  s.found = w;
  return FALSE;
}
}  // namespace

HWND controlWindow(HWND form, const forms::FormTable& table, std::string_view name, int index) {
  IdSearch search{-1};
  for (size_t i = 0; i < table.controls.size(); ++i)
    if (table.controls[i].name == name && table.controls[i].index == index)
      search.id = win32::Win32Window::commandId(static_cast<forms::ControlId>(i));
  if (search.id < 0) return nullptr;
  // Every descendant: controls on a page are children of its picture box.
  EnumChildWindows(form, &matchId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring messageBoxText(HWND box) { return windowText(GetDlgItem(box, 0xFFFF)); }

HWND focusOf(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

void click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void dialogCommand(HWND dialog, int command) { PostMessageW(dialog, WM_COMMAND, command, 0); }

DWORD defaultButtonAnswer(HWND dialog) {
  // Sent, not posted: the answer is the point, and no handler runs for it.
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(dialog, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &answer))
    return 0;
  return static_cast<DWORD>(answer);
}

void closeMessageBox(HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); }

void closeWindow(HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

void pressKey(HWND window, UINT virtualKey) {
  HWND focus = focusOf(GetWindowThreadProcessId(window, nullptr));
  HWND target = focus ? focus : window;
  const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  PostMessageW(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
}

void closeAll(DWORD thread) {
  for (HWND w : threadWindows(thread))
    if (IsWindowVisible(w)) PostMessageW(w, WM_CLOSE, 0, 0);
}

Watcher::Watcher(std::function<void(DWORD testThread)> steps)
    : thread_([steps = std::move(steps), id = GetCurrentThreadId()] { steps(id); }) {}

Watcher::~Watcher() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace tollivor::driver
