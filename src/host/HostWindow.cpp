#include "HostWindow.h"

#include <cstdio>
#include <string>

#include "Edits.h"
#include "SampleIcon.h"

namespace tollivor::host {

namespace {

constexpr wchar_t kClassName[] = L"TollivorHostBar";
constexpr UINT kRunTour = WM_APP + 1;
enum ControlId { kItemButton = 101, kGroupButton, kSettingsButton, kLog };

constexpr wchar_t kSampleItem[] = L"C:\\windows\\notepad.exe|Notepad";
// The sample group shows its own icon file (or, without it, the default icon).
constexpr wchar_t kSampleGroup[] = L"group|Tools|:";

// Each line goes to the log box and to standard output.
void report(HWND window, const Lines& lines) {
  HWND log = GetDlgItem(window, kLog);
  for (const auto& line : lines) {
    const std::wstring text = line + L"\r\n";
    SendMessageW(log, EM_SETSEL, -1, -1);
    SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));

    const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? size - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    std::fprintf(stdout, "%s\n", utf8.c_str());
  }
  std::fflush(stdout);
}

void addChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id,
              RECT r) {
  HWND child = CreateWindowExW(id == kLog ? WS_EX_CLIENTEDGE : 0, className, text,
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, r.left, r.top,
                               r.right, r.bottom, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
}

void createControls(HWND window) {
  addChild(window, L"BUTTON", L"&Item...", BS_PUSHBUTTON, kItemButton, {10, 10, 100, 26});
  addChild(window, L"BUTTON", L"&Group...", BS_PUSHBUTTON, kGroupButton, {120, 10, 100, 26});
  addChild(window, L"BUTTON", L"&Settings...", BS_PUSHBUTTON, kSettingsButton, {230, 10, 100, 26});
  addChild(window, L"EDIT", L"",
           ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL,
           kLog, {10, 46, 420, 214});
}

void runEdit(HWND window, int id) {
  switch (id) {
    case kItemButton: report(window, editItem(kSampleItem)); break;
    case kGroupButton: report(window, editGroup(kSampleGroup + sampleGroupIconFile())); break;
    case kSettingsButton: report(window, editSettings()); break;
  }
}

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      createControls(window);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) runEdit(window, LOWORD(wParam));
      return 0;
    case kRunTour:
      for (int id : {kItemButton, kGroupButton, kSettingsButton}) runEdit(window, id);
      report(window, {L"Tour finished."});
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND createHostWindow(HINSTANCE instance, bool tour) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = hostProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassW(&windowClass)) return nullptr;

  RECT frame{0, 0, 440, 270};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowExW(0, kClassName, kHostCaption, style, 40, 40,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return nullptr;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  if (tour) PostMessageW(window, kRunTour, 0, 0);
  return window;
}

}  // namespace tollivor::host
