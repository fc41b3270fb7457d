// Drivers for tests that work real windows under Wine: a modal show blocks
// the test's thread, so a watcher thread finds the windows of that thread,
// reads them and acts on them with posted messages (never sent ones: a
// handler that opens a message box would block the sender).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "forms/Platform.h"

namespace tollivor::driver {

inline constexpr int kTimeoutMs = 5000;

// Polls until the condition holds; false after the timeout.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = kTimeoutMs);

// Every top-level window of the thread, shown or hidden.
std::vector<HWND> threadWindows(DWORD thread);
// A visible top-level window of the thread with exactly this caption.
HWND waitForWindow(DWORD thread, std::wstring_view caption, int timeoutMs = kTimeoutMs);
// A visible message box of the thread: a dialog whose text static has id 65535.
HWND waitForMessageBox(DWORD thread, int timeoutMs = kTimeoutMs);
// A visible system dialog box (class #32770) of the thread, other than `except`.
HWND waitForDialog(DWORD thread, HWND except = nullptr, int timeoutMs = kTimeoutMs);

// The window of a form's control, named as in the form's table: the window
// whose control id is the row's command id, pages included. nullptr for
// lines and names the table lacks.
HWND controlWindow(HWND form, const forms::FormTable& table, std::string_view name, int index = -1);

// A descendant window with exactly this text (a button's "&OK", a label's caption).
HWND findControl(HWND parent, std::wstring_view text);
std::wstring windowText(HWND window);
// The font a control draws with; all zero when it has none.
LOGFONTW fontOf(HWND control);
std::wstring messageBoxText(HWND box);
// The window that has the keyboard focus on the thread, or nullptr.
HWND focusOf(DWORD thread);

void click(HWND button);                       // BM_CLICK
// WM_COMMAND IDOK or IDCANCEL as a tool sends it to a dialog (no control).
void dialogCommand(HWND dialog, int command);
// The dialog's answer to DM_GETDEFID; 0 when it does not answer in time.
DWORD defaultButtonAnswer(HWND dialog);
void closeMessageBox(HWND box);                // as its OK button does
void closeWindow(HWND window);                 // the close box: SC_CLOSE
// A key press for the thread's focused window (else `window`), as a user's
// would arrive: WM_KEYDOWN then WM_KEYUP.
void pressKey(HWND window, UINT virtualKey);
// Ends every modal show of the thread: a watcher that lost its way calls
// this so that a failing test fails instead of hanging.
void closeAll(DWORD thread);

// Runs steps on another thread while the test's thread shows a form;
// joined when it goes out of scope. The steps get the test thread's id.
class Watcher {
 public:
  explicit Watcher(std::function<void(DWORD testThread)> steps);
  ~Watcher();
  Watcher(const Watcher&) = delete;
  Watcher& operator=(const Watcher&) = delete;

 private:
  std::thread thread_;
};

}  // namespace tollivor::driver
