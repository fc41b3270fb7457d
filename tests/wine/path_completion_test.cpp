// Path completion as a user meets it: keys typed into the item dialog's
// target line bring up the shell's suggestion list, and Down takes the
// folder that matches into the line.
#include <windows.h>

#include <gtest/gtest.h>

#include "driver.h"
#include "item/frmProperty.h"
#include "scaled_dialogs.h"

namespace tollivor::test {
namespace {

// A shown list box of the thread with entries: the suggestions, in a
// window of their own (a combo box's list has another class).
HWND suggestionList(DWORD thread) {
  HWND found = nullptr;
  const auto check = [](HWND window, LPARAM data) -> BOOL {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (IsWindowVisible(window) && _wcsicmp(name, L"ListBox") == 0 &&
        SendMessageW(window, LB_GETCOUNT, 0, 0) > 0)
      *reinterpret_cast<HWND*>(data) = window;
    return TRUE;
  };
  for (HWND window : driver::threadWindows(thread))
    EnumChildWindows(window, check, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Keys through the system's input queue, as a keyboard gives them.
void typeKeys(const std::wstring& characters, WORD virtualKey = 0) {
  for (wchar_t c : characters.empty() ? std::wstring(1, L'\0') : characters) {
    const DWORD flags = virtualKey ? 0 : KEYEVENTF_UNICODE;
    INPUT keys[2] = {{INPUT_KEYBOARD}, {INPUT_KEYBOARD}};
    keys[0].ki = {virtualKey, static_cast<WORD>(c), flags};
    keys[1].ki = {virtualKey, static_cast<WORD>(c), flags | KEYEVENTF_KEYUP};
    SendInput(2, keys, sizeof(INPUT));
  }
}

TEST(PathCompletion, TypingPartOfAPathInTheItemDialogOffersTheFolder) {
  ASSERT_EQ(registerHere(), S_OK);
  const forms::FormTable table = frmPropertyTable();
  driver::Watcher watcher([&](DWORD thread) {
    HWND dialog = driver::waitForWindow(thread, L"Item Property");
    if (!dialog) return driver::closeAll(thread);
    HWND edit = FindWindowExW(driver::controlWindow(dialog, table, "Text1"), nullptr, L"Edit", nullptr);
    EXPECT_TRUE(driver::waitFor([&] { return driver::focusOf(thread) == edit; }));
    typeKeys(L"C:\\win");
    HWND list = nullptr;
    EXPECT_TRUE(driver::waitFor([&] { return (list = suggestionList(thread)) != nullptr; }, 3000));
    RECT shown{}, listRect{};
    GetWindowRect(dialog, &shown);
    if (list && GetWindowRect(GetAncestor(list, GA_ROOT), &listRect)) UnionRect(&shown, &shown, &listRect);
    Sleep(200);  // let it paint
    saveScreen(shown, L"path completion", list);
    typeKeys(L"", VK_DOWN);
    EXPECT_TRUE(driver::waitFor([&] {
      return _wcsicmp(driver::windowText(edit).c_str(), L"C:\\windows") == 0;
    }, 2000)) << "Down takes the suggestion into the line";
    driver::closeWindow(dialog);
  });
  showClass<_CProperty>(L"Tollivor.CProperty", IID__CProperty, L"|");
}

}  // namespace
}  // namespace tollivor::test
