// Drivers for real windows under Wine: a modal show blocks the test's thread,
// so a watcher thread finds its windows, reads them and acts with posted
// messages (a sent one would block on a handler's message box) or real input.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "forms/ControlTable.h"

namespace tollivor::driver {

inline constexpr int kTimeoutMs = 5000;

bool waitFor(const std::function<bool()>& condition, int timeoutMs = kTimeoutMs);  // false on timeout
std::vector<HWND> threadWindows(DWORD thread);  // top-level, shown or hidden
HWND waitForWindow(DWORD thread, std::wstring_view caption, int timeoutMs = kTimeoutMs);
HWND waitForMessageBox(DWORD thread, int timeoutMs = kTimeoutMs);  // visible, of the thread
HWND waitForDialog(DWORD thread, HWND except = nullptr, int timeoutMs = kTimeoutMs);
HWND controlWindow(HWND form, const forms::FormTable& table, std::string_view name, int index = -1);  // by row
HWND findControl(HWND parent, std::wstring_view text);  // a descendant with this text
std::wstring windowText(HWND window);
LOGFONTW fontOf(HWND control);
std::wstring messageBoxText(HWND box);
HWND focusOf(DWORD thread);

void click(HWND button);                               // BM_CLICK
void dialogCommand(HWND dialog, int command);          // IDOK / IDCANCEL, no control
DWORD defaultButtonAnswer(HWND dialog);                // DM_GETDEFID; 0 on no answer
void closeMessageBox(HWND box);                        // as its OK button does
void closeWindow(HWND window);                         // the close box: SC_CLOSE
void pressKey(HWND window, UINT virtualKey);           // to the thread's focus, else `window`
void typeInto(HWND edit, const std::wstring& text);    // replaces the text
bool chooseFile(HWND open, const std::wstring& path);  // in a file-open dialog, then OK
void closeAll(DWORD thread);  // ends every show, so that a failing test cannot hang

// Real input at points on the screen.
POINT centreOf(HWND window);
POINT tabCentre(HWND strip, int tab);
void moveMouseTo(POINT screen);
void clickAt(POINT screen);
void pressKeys(std::initializer_list<WORD> keys);  // held in order, let go in reverse

struct Watcher {  // runs steps on another thread, given the test thread's id; joined at scope end
  explicit Watcher(std::function<void(DWORD testThread)> steps);
  ~Watcher() { thread_.join(); }
  std::thread thread_;
};

using Steps = std::function<void(HWND window, DWORD thread)>;
// Calls show() while a watcher runs the steps on the window with this caption;
// true when it showed and the steps closed it, else a failure and closed.
bool showWhile(const std::function<void()>& show, std::wstring_view caption, const Steps& steps);

}  // namespace tollivor::driver

namespace tollivor::test {

std::wstring tempFolder(const wchar_t* name);  // made if missing; ends in "\"
// Expects the client size and each control but lines where the table puts them.
void expectTableLayout(HWND dialog, const forms::FormTable& table);
bool saveScreenshot(HWND window, const std::wstring& name);  // NAME.bmp into TOLLIVOR_SCREENSHOTS, if set
// Files: an opaque icon, left half `left`, right half `right`; bytes as they are.
bool writeIconFile(const std::wstring& path, int size, COLORREF left, COLORREF right);
bool writeTextFile(const std::wstring& path, const std::string& content);
COLORREF paintedPixel(HWND window, int x, int y);  // as WM_PRINTCLIENT paints it, in its top-left 64 x 64

}  // namespace tollivor::test
