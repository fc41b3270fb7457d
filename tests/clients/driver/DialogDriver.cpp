// DialogDriver.exe CAPTION [ACTION]: acts on the visible top-level window of
// another process with that caption as its user would, through posted
// messages (never sent: the window may be about to show a message box).
//   (no action)          gives its close command
//   BUTTON               clicks its button of that caption
//   /after LABEL         clicks the control that follows the label
//   /type LABEL TEXT     types TEXT over the text of the box that follows the label
//   /file PATH           in a file-open dialog: types the name, then OK
//   /colour R G B        in a colour dialog: types red, green and blue, then OK
//   /command ID          gives the command, as its menu would
// Exits 0 when it acted, 1 when no window showed within a minute, 2 on a bad
// command line, 3 when the window has no such control.
#include <windows.h>
#include <shellapi.h>

#include <string>

// The descendant with this text (on tab pages too), of the class if one is named.
static HWND find(HWND parent, const wchar_t* text, const wchar_t* windowClass = nullptr) {
  HWND found = FindWindowExW(parent, nullptr, windowClass, text);
  for (HWND child = nullptr; !found && (child = FindWindowExW(parent, child, nullptr, nullptr));)
    found = find(child, text, windowClass);
  return found;
}

static HWND after(HWND parent, const wchar_t* label) {
  HWND control = find(parent, label);
  return control ? GetWindow(control, GW_HWNDNEXT) : nullptr;
}

static bool type(HWND box, const std::wstring& text) {
  if (HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr)) box = edit;  // a combo box's
  bool posted = box && PostMessageW(box, EM_SETSEL, 0, -1) && PostMessageW(box, WM_CLEAR, 0, 0);
  for (wchar_t c : text) posted = posted && PostMessageW(box, WM_CHAR, c, 1);
  return posted;
}

static int act(HWND window, int argc, wchar_t** argv) {
  const std::wstring action = argc > 2 ? argv[2] : L"";
  if (argc == 2) return PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
  if (action == L"/command" && argc == 4) return PostMessageW(window, WM_COMMAND, _wtoi(argv[3]), 0) ? 0 : 1;
  HWND control = argc == 3 ? find(window, argv[2], L"Button") : nullptr;
  if (action == L"/after" && argc == 4) control = after(window, argv[3]);
  if (action == L"/type" && argc == 5) return type(after(window, argv[3]), argv[4]) ? 0 : 3;
  if (action == L"/file" && argc == 4) {
    HWND name = GetDlgItem(window, 0x47c);  // a combo box in the explorer style, else an edit
    if (!name && !(name = GetDlgItem(window, 0x480))) return 3;
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
    return PostMessageW(window, WM_COMMAND, IDOK, 0) ? 0 : 1;
  }
  if (action == L"/colour" && argc == 6) {
    for (int i = 0; i < 3; ++i)  // the red, green and blue boxes
      if (!type(GetDlgItem(window, 0x2c2 + i), argv[3 + i])) return 3;
    return PostMessageW(window, WM_COMMAND, IDOK, 0) ? 0 : 1;
  }
  if (action.starts_with(L"/") && !control) return 2;
  return !control ? 3 : PostMessageW(control, BM_CLICK, 0, 0) ? 0 : 1;
}

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 2;
  HWND window = nullptr;  // not a hidden form of that caption, which waits for its Show
  for (DWORD start = GetTickCount(); !window && GetTickCount() - start < 60000; Sleep(50))
    for (HWND w = nullptr; !window && (w = FindWindowExW(nullptr, w, nullptr, argv[1]));)
      if (IsWindowVisible(w)) window = w;
  return window ? act(window, argc, argv) : 1;
}
