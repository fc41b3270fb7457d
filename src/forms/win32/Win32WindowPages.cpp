// Tabbed forms: page containers stacked on one rectangle under a tab strip.
// Only the page in front may be shown, or Tab would also reach the controls
// of the pages behind it; and Ctrl+Tab chooses a tab from anywhere.
#include "forms/win32/Win32Window.h"

#include <commctrl.h>

namespace tollivor::forms::win32 {

using forms::ControlId;
using forms::Kind;

namespace {

bool hasVisibleStyle(HWND window) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool contains(const RECT& outer, const RECT& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

}  // namespace

// A picture box brought to the front hides the sibling picture boxes it
// covers whole, and shows itself again if an earlier one had hidden it. A
// focus left on a page now hidden moves to the first control of the form's
// tab order, which is the page in front's.
void Win32Window::coverSiblingPages(ControlId frontId) noexcept {
  ControlState& front = controls_[static_cast<size_t>(frontId)];
  if (front.hiddenByCover) {
    ShowWindow(front.window, SW_SHOWNA);
    front.hiddenByCover = false;
  }
  RECT frontRect{};
  if (!GetWindowRect(front.window, &frontRect)) return;
  const HWND focus = GetFocus();
  bool focusHidden = false;
  for (ControlState& other : controls_) {
    if (&other == &front || other.kind != Kind::PictureBox || other.container != front.container ||
        !other.window || !hasVisibleStyle(other.window))
      continue;
    RECT otherRect{};
    if (!GetWindowRect(other.window, &otherRect) || !contains(frontRect, otherRect)) continue;
    if (focus && (focus == other.window || IsChild(other.window, focus))) focusHidden = true;
    ShowWindow(other.window, SW_HIDE);
    other.hiddenByCover = true;
  }
  if (focusHidden)
    if (HWND next = GetNextDlgTabItem(window_.get(), nullptr, FALSE))
      SendMessageW(window_.get(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
}

// Ctrl+Tab and Ctrl+Shift+Tab choose the next and the previous tab of the
// form's tab strip, going round, and raise its Click as a click on the tab
// does. (The arrow keys are the tab strip's own when it has the focus.)
bool Win32Window::pressTabStripKey(const MSG& message) noexcept {
  HWND form = window_.get();
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB ||
      !(GetKeyState(VK_CONTROL) & 0x8000))
    return false;
  if (message.hwnd != form && !IsChild(form, message.hwnd)) return false;
  for (size_t i = 0; i < controls_.size(); ++i) {
    const ControlState& c = controls_[i];
    if (c.kind != Kind::TabStrip || !c.window || !IsWindowEnabled(c.window)) continue;
    const LRESULT count = SendMessageW(c.window, TCM_GETITEMCOUNT, 0, 0);
    if (count <= 0) return false;
    const LRESULT current = SendMessageW(c.window, TCM_GETCURSEL, 0, 0);
    const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const LRESULT next = current < 0 ? 0 : (current + (back ? count - 1 : 1)) % count;
    SendMessageW(c.window, TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
    raise(static_cast<ControlId>(i), forms::Event::Click);
    return true;
  }
  return false;
}

}  // namespace tollivor::forms::win32
