// The forms contract over the Win32 platform: the form is shown on the test thread while a
// watcher plays the user with real pointer moves and clicks, and posted keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "common/FormContract.h"
#include "driver.h"
#include "forms/win32/Win32Window.h"

namespace tollivor::test {
namespace {

class Win32User final : public ContractUser {
 public:
  Win32User(HWND form, const forms::FormTable& table) : form_(form), table_(table) {}

  void moveMouse(const std::string& control, int index) override { pointerTo(driver::centreOf(find(control, index))); }
  void click(const std::string& control, int index) override { clickAt(driver::centreOf(find(control, index))); }
  void chooseTab(const std::string& control, int tab) override { clickAt(driver::tabCentre(find(control, -1), tab)); }
  void focus(const std::string& control, int index) override {
    PostMessageW(form_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(find(control, index)), TRUE), settle();
  }
  void type(const std::string& control, const std::u16string& text) override {
    HWND w = find(control, -1), edit = FindWindowExW(w, nullptr, L"Edit", nullptr);  // a combo's line
    driver::typeInto(edit ? edit : w, std::wstring(text.begin(), text.end())), settle();
  }
  void pressEnter() override { driver::pressKey(form_, VK_RETURN), settle(); }
  void pressEsc() override { driver::pressKey(form_, VK_ESCAPE), settle(); }
  // The character with Alt held, as the keyboard delivers it to the focus.
  void pressAccessKey(char16_t key) override {
    HWND focus = driver::focusOf(GetWindowThreadProcessId(form_, nullptr));
    PostMessageW(focus ? focus : form_, WM_SYSCHAR, key, 1 | (1u << 29)), settle();
  }
  void closeWindow() override { driver::closeWindow(form_), settle(); }
  bool hasFocus(const std::string& control) override {
    HWND focus = driver::focusOf(GetWindowThreadProcessId(form_, nullptr));
    HWND w = driver::controlWindow(form_, table_, control);
    return focus && w && (focus == w || IsChild(w, focus));
  }
  // A marker posted after the step comes back once the form's thread handled all posted before it.
  void settle() override {
    HWND edit = driver::controlWindow(form_, table_, "txtName");
    const auto mark = static_cast<WPARAM>(1000000 + ++marks_);
    DWORD_PTR limit = 0;
    PostMessageW(edit, EM_SETLIMITTEXT, mark, 0);
    driver::waitFor([&] {
      SendMessageTimeoutW(edit, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 100, &limit);
      return limit == mark || !IsWindowVisible(form_);
    }, 2000);
  }

 private:
  HWND find(const std::string& control, int index) { return driver::controlWindow(form_, table_, control, index); }
  // A pointer move as the mouse makes it; only a pointer that moves reports a move.
  void pointerTo(POINT p) { SetCursorPos(p.x, p.y), driver::moveMouseTo(p), settlePointer(); }
  void clickAt(POINT p) {
    POINT now{};
    if (!GetCursorPos(&now) || now.x != p.x || now.y != p.y) pointerTo(p);
    driver::clickAt(p), settlePointer();
  }
  void settlePointer() { Sleep(100), settle(); }  // input comes after posted messages

  HWND form_;
  const forms::FormTable& table_;
  int marks_ = 0;
};

class Win32Contract final : public ContractPlatform {
 public:
  bool show(TestForm& form, const std::function<void(ContractUser&)>& steps) override {
    return driver::showWhile([&] { form.showModal(); }, L"Tollivor Test Form", [&](HWND shown, DWORD) {
      Sleep(100);  // the pointer's report on whatever lies under it now
      Win32User user(shown, form.table());
      steps(user);
    });
  }
  void closeHidden(TestForm& form) override {
    SendMessageW(dynamic_cast<forms::win32::Win32Window&>(*form.window()).formWindow(), WM_CLOSE, 0, 0);
  }
};

// Tools send IDOK and IDCANCEL with no control, or ask for the default button: the form answers
// as any dialog does, through its own buttons.
TEST(DialogCommands, IdOkAndIdCancelPressTheButtonsAndDmGetDefIdNamesOk) {
  for (const int command : {IDOK, IDCANCEL}) {
    TestForm form;
    form.txtName.setText(u"typed");
    DWORD defaultButton = 0;
    EXPECT_TRUE(driver::showWhile([&] { form.showModal(); }, L"Tollivor Test Form", [&](HWND w, DWORD) {
      defaultButton = driver::defaultButtonAnswer(w);
      driver::dialogCommand(w, command);
    }));
    EXPECT_EQ(defaultButton, MAKELONG(forms::win32::Win32Window::commandId(form.cmdOK.id()), DC_HASDEFID));
    EXPECT_EQ(form.events.take().back(), command == IDOK ? "Click cmdOK" : "Click cmdCancel");
    EXPECT_EQ(form.resultText, command == IDOK ? u"typed" : u"");
  }
}

// The dialog manager moves the default look to a button that takes the focus and back to the
// form's default button (OK) when the focus goes on to a control that is not a button.
TEST(DialogCommands, TheDefaultLookReturnsToOkWhenTheFocusLeavesAButton) {
  TestForm form;
  const auto looksDefault = [](HWND button) { return (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; };
  std::vector<std::pair<bool, bool>> looks;  // Apply, OK
  EXPECT_TRUE(driver::showWhile([&] { form.showModal(); }, L"Tollivor Test Form", [&](HWND w, DWORD) {
    HWND apply = driver::controlWindow(w, form.table(), "cmdApply"), ok = driver::controlWindow(w, form.table(), "cmdOK");
    for (const char* to : {"cmdApply", "txtName"}) {
      SendMessageW(w, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(driver::controlWindow(w, form.table(), to)), TRUE);
      looks.push_back({looksDefault(apply), looksDefault(ok)});
    }
    driver::pressKey(w, VK_ESCAPE);
  }));
  EXPECT_EQ(looks, (std::vector<std::pair<bool, bool>>{{true, false}, {false, true}}));
}

}  // namespace

std::unique_ptr<ContractPlatform> makeContractPlatform() { return std::make_unique<Win32Contract>(); }

}  // namespace tollivor::test
