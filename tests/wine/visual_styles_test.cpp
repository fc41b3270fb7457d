// Visual styles in a host without a manifest (this test program has none):
// the DLL's own manifest gives its dialogs and message boxes the buttons of
// Common Controls 6, and leaves the host's own windows as they were.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "component_support.h"
#include "driver.h"
#include "group/frmGroup.h"

namespace tollivor::test {
namespace {

// Only the buttons of Common Controls 6 know BCM_GETIDEALSIZE.
bool isVersion6Button(HWND button) {
  SIZE ideal{};
  DWORD_PTR answered = 0;
  if (!SendMessageTimeoutW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal),
                           SMTO_ABORTIFHUNG, driver::kTimeoutMs, &answered))
    return false;
  return answered != 0 && ideal.cx > 0 && ideal.cy > 0;
}

class VisualStyles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }
};

TEST_F(VisualStyles, TheTestHostHasNoManifestAndPlainButtons) {
  EXPECT_EQ(FindResourceW(GetModuleHandleW(nullptr), CREATEPROCESS_MANIFEST_RESOURCE_ID,
                          RT_MANIFEST),
            nullptr);
  win32::unique_hwnd button(CreateWindowExW(0, L"BUTTON", L"x", WS_POPUP | BS_PUSHBUTTON, 0, 0,
                                            80, 24, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(button);
  EXPECT_FALSE(isVersion6Button(button.get())) << "the host's own buttons are not version 6";
}

TEST_F(VisualStyles, EachDialogHasVersion6ButtonsAndTheHostKeepsItsOwn) {
  struct Case {
    const wchar_t* progId;
    const wchar_t* caption;
  };
  const Case cases[] = {{L"Tollivor.CProperty", L"Item Property"},
                        {L"Tollivor.CGroup", L"Group Property"},
                        {L"Tollivor.CSettingEx", L"Tollivar Property"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.progId, c.progId + wcslen(c.progId)));
    Ref<IDispatch> object;
    ASSERT_EQ(createByProgId(c.progId, IID_IDispatch, object.putVoid()), S_OK);
    bool seen = false;
    {
      driver::Watcher watcher([&](DWORD thread) {
        HWND dialog = driver::waitForWindow(thread, c.caption);
        if (!dialog) return driver::closeAll(thread);
        seen = true;
        EXPECT_TRUE(isVersion6Button(driver::findControl(dialog, L"&OK")));
        EXPECT_TRUE(isVersion6Button(driver::findControl(dialog, L"&Cancel")));
        driver::closeWindow(dialog);
        if (!driver::waitFor([&] { return !IsWindowVisible(dialog); }, 2000))
          driver::closeAll(thread);
      });
      EXPECT_EQ(callByName(object.get(), L"Show"), S_OK);
    }
    EXPECT_TRUE(seen);
    // The context was active only while the dialog was made.
    win32::unique_hwnd button(CreateWindowExW(0, L"BUTTON", L"x", WS_POPUP | BS_PUSHBUTTON, 0, 0,
                                              80, 24, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(isVersion6Button(button.get()));
  }
}

TEST_F(VisualStyles, MessageBoxesAreStyledToo) {
  Ref<_CGroup> group;
  ASSERT_EQ(createByProgId(L"Tollivor.CGroup", IID__CGroup, group.putVoid()), S_OK);
  {
    driver::Watcher watcher([&](DWORD thread) {
      HWND dialog = driver::waitForWindow(thread, L"Group Property");
      if (!dialog) return driver::closeAll(thread);
      driver::click(driver::findControl(dialog, L"&OK"));  // no name: refused with a box
      HWND box = driver::waitForMessageBox(thread);
      EXPECT_NE(box, nullptr);
      if (box) {
        EXPECT_TRUE(isVersion6Button(GetDlgItem(box, IDOK)));
        driver::closeMessageBox(box);
        driver::waitFor([&] { return !IsWindow(box); });
      }
      driver::closeWindow(dialog);
      if (!driver::waitFor([&] { return !IsWindowVisible(dialog); }, 2000))
        driver::closeAll(thread);
    });
    EXPECT_EQ(group->Show(), S_OK);
  }
}

}  // namespace
}  // namespace tollivor::test
