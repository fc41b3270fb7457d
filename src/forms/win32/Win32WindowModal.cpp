// Showing a form modally: the other windows of the thread are disabled, the
// form runs its own message loop until it is hidden or closed, and the
// keyboard works as in any dialog.
#include "forms/win32/Win32Window.h"

#include <algorithm>

#include "forms/KindTraits.h"
#include "forms/win32/NativeValues.h"
#include "win32/Convert.h"

namespace tollivor::forms::win32 {

using forms::ControlId;
using forms::Kind;

namespace {

struct DisableData {
  HWND form;
  HWND owner;
  const std::vector<HWND>& lists;  // the form's own combo box lists
  std::vector<HWND>* disabled;
};

BOOL CALLBACK disableWindow(HWND window, LPARAM data) noexcept {
  auto& d = *reinterpret_cast<DisableData*>(data);
  // Hidden ones too: one shown during the show must not take input either.
  if (window != d.form && window != d.owner && IsWindowEnabled(window) &&
      std::find(d.lists.begin(), d.lists.end(), window) == d.lists.end()) {
    try {
      d.disabled->push_back(window);
    } catch (...) {
      return FALSE;  // out of memory: disable no more than can be put back
    }
    EnableWindow(window, FALSE);
  }
  return TRUE;
}

// Enabled itself and in every container up to the form.
bool reachable(HWND control, HWND form) {
  for (HWND w = control; w && w != form; w = GetParent(w))
    if (!IsWindowEnabled(w)) return false;
  return IsWindowVisible(control) != FALSE;
}

}  // namespace

bool Win32Window::showModal() noexcept {
  HWND form = window_.get();
  if (!form || modal_) return false;

  Modal modal;
  modal.previousActive = GetActiveWindow();
  const bool wasEnabled = IsWindowEnabled(form) != FALSE;  // an outer show may have disabled it
  modal_ = &modal;
  disableOtherWindows(modal);
  EnableWindow(form, TRUE);
  ShowWindow(form, SW_SHOWNORMAL);
  // Showing usually brings the form to the front already; asking again
  // costs a round with the window system.
  if (GetForegroundWindow() != form) SetForegroundWindow(form);
  focusFirstControl();

  runMessageLoop(modal);

  // A close command that the form did not act on still ends the show.
  if (IsWindowVisible(form)) hide();
  modal_ = nullptr;
  enableWindowsAgain(modal);
  if (!wasEnabled) EnableWindow(form, FALSE);
  if (modal.previousActive && IsWindow(modal.previousActive) &&
      IsWindowVisible(modal.previousActive) && IsWindowEnabled(modal.previousActive))
    SetActiveWindow(modal.previousActive);
  return true;
}

void Win32Window::runMessageLoop(Modal& modal) noexcept {
  HWND form = window_.get();
  MSG message;
  while (IsWindow(form) && IsWindowVisible(form) && !modal.closeGiven) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // WM_QUIT belongs to the thread's own loop: leave it there.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (message.message == WM_KEYDOWN || message.message == WM_CHAR)
      offerPathCompletion(message.hwnd);
    if (message.message == WM_MOUSEMOVE) onMouseMove(message.hwnd);
    if (pressTabStripKey(message) || pressDialogKey(message)) continue;
    if (!IsDialogMessageW(form, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

// The pointer's moves arrive through this loop, the only one a visible form
// has: noticed here, the controls need no hook of their own, which would
// cost a look-up with the window system for every message they get.
// Picture boxes report their moves from their own window procedure.
void Win32Window::onMouseMove(HWND window) noexcept {
  const ControlId id = controlOf(window);
  const ControlState* c = find(id);
  // The control's own window: a combo box's edit line is not the box.
  if (c && c->window == window && forms::traits(c->kind).hovers && c->kind != Kind::PictureBox)
    raise(id, forms::Event::MouseMove);
}

bool Win32Window::hide() noexcept {
  HWND form = window_.get();
  if (!form) return false;
  // Enable the other windows first, so that activation passes to one of
  // them and not to another program's window.
  if (modal_) enableWindowsAgain(*modal_);
  ShowWindow(form, SW_HIDE);
  return true;
}

bool Win32Window::isVisible() noexcept {
  return window_ && IsWindowVisible(window_.get());
}

std::optional<forms::Rect> Win32Window::bounds() noexcept {
  RECT r{};
  if (!window_ || !GetWindowRect(window_.get(), &r)) return std::nullopt;
  return forms::Rect{toTwips(r.left), toTwips(r.top), toTwips(r.right - r.left),
                     toTwips(r.bottom - r.top)};
}

bool Win32Window::moveTo(int left, int top) noexcept {
  return window_ && SetWindowPos(window_.get(), nullptr, toPixels(left), toPixels(top), 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

forms::WindowHandle Win32Window::handle() noexcept { return fromWindow(window_.get()); }

// --- focus and keys ----------------------------------------------------------

bool Win32Window::focusableNow(const ControlState& c) const noexcept {
  return forms::traits(c.kind).focusable && c.window && reachable(c.window, window_.get());
}

void Win32Window::focusFirstControl() noexcept {
  for (size_t i = 0; i < controls_.size(); ++i) {
    const ControlState& c = controls_[i];
    // Of a group of options, Tab reaches only the selected one.
    if (forms::traits(c.kind).exclusive && !(GetWindowLongPtrW(c.window, GWL_STYLE) & WS_TABSTOP))
      continue;
    if (focusableNow(c)) {
      // Activation has usually put the focus there already; moving it again
      // costs a round of focus messages. A button is focused through the
      // dialog manager all the same, so that it shows as the default.
      const HWND now = GetFocus();
      if (c.kind == Kind::CommandButton || (now != c.window && !IsChild(c.window, now)))
        setFocus(static_cast<ControlId>(i));
      return;
    }
  }
}

// Enter presses the focused button, else the default button; Esc presses
// the cancel button. An open drop-down list keeps both keys for itself.
bool Win32Window::pressDialogKey(const MSG& message) noexcept {
  HWND form = window_.get();
  if (message.message != WM_KEYDOWN || (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE))
    return false;
  if (message.hwnd != form && !IsChild(form, message.hwnd)) return false;

  const ControlId focused = controlOf(GetFocus());
  if (const ControlState* c = find(focused, Kind::ComboBox))
    if (SendMessageW(c->window, CB_GETDROPPEDSTATE, 0, 0)) return false;

  ControlId target = -1;
  if (message.wParam == VK_RETURN) {
    target = find(focused, Kind::CommandButton) ? focused : table_.buttonWith(forms::kDefault);
  } else {
    target = table_.buttonWith(forms::kCancel);
  }
  if (const ControlState* c = find(target); c && reachable(c->window, form))
    raise(target, forms::Event::Click);
  return true;
}

// IDOK and IDCANCEL, sent by tools and accessibility aids as to any dialog,
// press the default and the cancel button, as Enter and Esc do.
bool Win32Window::onDialogCommand(WPARAM wParam, LPARAM lParam) noexcept {
  if (lParam != 0 || HIWORD(wParam) > 1) return false;  // a control's notification
  unsigned flag = 0;
  if (LOWORD(wParam) == IDOK)
    flag = forms::kDefault;
  else if (LOWORD(wParam) == IDCANCEL)
    flag = forms::kCancel;
  else
    return false;
  const ControlId target = table_.buttonWith(flag);
  if (const ControlState* c = find(target); c && reachable(c->window, window_.get()))
    raise(target, forms::Event::Click);
  return true;
}

// --- other windows of the thread ---------------------------------------------

void Win32Window::disableOtherWindows(Modal& modal) noexcept {
  // A combo box's list is a top-level window of the thread without an
  // owner, but it is the form's: disabling it and enabling it again only
  // cost messages during the show.
  std::vector<HWND> lists;
  try {
    for (const ControlState& c : controls_) {
      COMBOBOXINFO info{};
      info.cbSize = sizeof info;
      if (c.kind == Kind::ComboBox && c.window && GetComboBoxInfo(c.window, &info))
        lists.push_back(info.hwndList);
    }
  } catch (...) {
    lists.clear();  // out of memory: they are disabled with the others
  }
  DisableData data{window_.get(), GetWindow(window_.get(), GW_OWNER), lists, &modal.disabled};
  EnumThreadWindows(GetCurrentThreadId(), &disableWindow, reinterpret_cast<LPARAM>(&data));
}

void Win32Window::enableWindowsAgain(Modal& modal) noexcept {
  for (HWND window : modal.disabled)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  modal.disabled.clear();
}

}  // namespace tollivor::forms::win32
