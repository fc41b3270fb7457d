// The forms contract over the Win32 platform: the form is shown on the test
// thread while a watcher plays the user with real pointer moves and clicks
// (SendInput) and posted keys.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>

#include "common/FormContract.h"
#include "driver.h"
#include "forms/win32/Win32Window.h"

namespace tollivor::test {
namespace {

class Win32User final : public ContractUser {
 public:
  Win32User(HWND form, const forms::FormTable& table) : form_(form), table_(table) {}

  void moveMouse(const std::string& control, int index) override {
    if (HWND w = find(control, index)) pointerTo(middle(w));
    settlePointer();
  }
  void click(const std::string& control, int index) override {
    if (HWND w = find(control, index)) clickAt(middle(w));
  }
  void chooseTab(const std::string& control, int tab) override {
    HWND strip = find(control, -1);
    RECT r{};
    DWORD_PTR ok = 0;
    if (!strip || !SendMessageTimeoutW(strip, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&r),
                                       SMTO_ABORTIFHUNG, 1000, &ok) || !ok) {
      ADD_FAILURE() << "no tab " << tab;
      return;
    }
    MapWindowPoints(strip, nullptr, reinterpret_cast<POINT*>(&r), 2);
    clickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  void focus(const std::string& control, int index) override {
    if (HWND w = find(control, index)) PostMessageW(form_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(w), TRUE);
    settle();
  }
  void type(const std::string& control, const std::u16string& text) override {
    HWND w = find(control, -1);
    if (HWND edit = w ? FindWindowExW(w, nullptr, L"Edit", nullptr) : nullptr) w = edit;  // a combo's line
    if (!w) return;
    PostMessageW(w, EM_SETSEL, 0, -1);
    for (char16_t c : text) PostMessageW(w, WM_CHAR, c, 1);
    settle();
  }
  void pressEnter() override { key(VK_RETURN); }
  void pressEsc() override { key(VK_ESCAPE); }
  // The character with Alt held, as the keyboard delivers it to the focus.
  void pressAccessKey(char16_t key) override {
    HWND focus = driver::focusOf(GetWindowThreadProcessId(form_, nullptr));
    PostMessageW(focus ? focus : form_, WM_SYSCHAR, key, 1 | (1u << 29));
    settle();
  }
  void closeWindow() override {
    driver::closeWindow(form_);
    settle();
  }

  bool hasFocus(const std::string& control) override {
    HWND focus = driver::focusOf(GetWindowThreadProcessId(form_, nullptr));
    HWND w = driver::controlWindow(form_, table_, control);
    return focus && w && (focus == w || IsChild(w, focus));
  }

  // A marker posted after the step comes back once the form's thread has
  // handled every message posted before it.
  void settle() override {
    HWND edit = driver::controlWindow(form_, table_, "txtName");
    const auto mark = static_cast<WPARAM>(1000000 + ++marks_);
    PostMessageW(edit, EM_SETLIMITTEXT, mark, 0);
    driver::waitFor(
        [&] {
          DWORD_PTR limit = 0;
          return !IsWindowVisible(form_) ||
                 (SendMessageTimeoutW(edit, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 100, &limit) &&
                  limit == mark);
        },
        2000);
  }

 private:
  HWND find(const std::string& control, int index) {
    HWND w = driver::controlWindow(form_, table_, control, index);
    if (!w) ADD_FAILURE() << "no window for " << control;
    return w;
  }
  static POINT middle(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // A pointer move as the mouse makes it, not a posted message.
  static void pointerTo(POINT p) {
    SetCursorPos(p.x, p.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (p.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (p.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
  }
  void clickAt(POINT p) {
    POINT now{};
    // Only a pointer that moves reports a move.
    if (!GetCursorPos(&now) || now.x != p.x || now.y != p.y) {
      pointerTo(p);
      settlePointer();
    }
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof inputs[0]);
    settlePointer();
  }
  // Input comes after posted messages: give it time to arrive first.
  void settlePointer() {
    Sleep(100);
    settle();
  }
  void key(UINT virtualKey) {
    driver::pressKey(form_, virtualKey);
    settle();
  }

  HWND form_;
  const forms::FormTable& table_;
  int marks_ = 0;
};

class Win32Contract final : public ContractPlatform {
 public:
  bool show(TestForm& form, const std::function<void(ContractUser&)>& steps) override {
    auto* window = dynamic_cast<win32::Win32Window*>(form.window());
    if (!window) return false;
    HWND shown = window->formWindow();
    std::atomic<bool> ended{true};
    {
      driver::Watcher watcher([&](DWORD thread) {
        if (!driver::waitFor([&] { return IsWindowVisible(shown) != FALSE; })) {
          ADD_FAILURE() << "the form was not shown";
          ended = false;
          return driver::closeAll(thread);
        }
        Sleep(100);  // the pointer's report on whatever lies under it now
        Win32User user(shown, form.table());
        steps(user);
        if (!driver::waitFor([&] { return !IsWindowVisible(shown); }, 2000)) {
          ended = false;
          driver::closeAll(thread);
        }
      });
      form.showModal();
    }
    return ended;
  }

  void closeHidden(TestForm& form) override {
    if (auto* window = dynamic_cast<win32::Win32Window*>(form.window()))
      SendMessageW(window->formWindow(), WM_CLOSE, 0, 0);
  }
};

}  // namespace

std::unique_ptr<ContractPlatform> makeContractPlatform() { return std::make_unique<Win32Contract>(); }

}  // namespace tollivor::test
