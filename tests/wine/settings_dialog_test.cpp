// The settings editor end to end: the real DLL reads the registry into the
// real dialog, a watcher works the dialog with real input, and the registry
// is checked after the show.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "driver.h"
#include "settings/frmSettingEx.h"
#include "settings_support.h"

namespace tollivor::test {
namespace {

TEST_F(SettingsDialogTest, OkWritesElevenStringsAndLeavesNoOtherValue) {
  show([](HWND dialog, DWORD) {
    EXPECT_EQ(visiblePage(dialog), 0) << "the dialog opens on Behavior";
    driver::pressKey(dialog, VK_RETURN);
  });
  EXPECT_EQ(store(), strings({L"click", L"100", L"yes", L"no", L"right", L"-2147483628",
                              L"-2147483627", L"", L"0", L"", L"0"}));
}

// A number where a string belongs reads as a missing key; the other keys
// are read and all eleven are written back as strings.
TEST_F(SettingsDialogTest, StoredTextIsReadAndANumberValueCountsAsMissing) {
  writeSettingNumber(L"Behavior", 1);
  writeSettingNumber(L"Color_mouseExit", 255);
  writeSetting(L"Speed", L"1000");
  writeSetting(L"Direction", L"bottom");
  writeSetting(L"Color_mouseEnter", L"255");
  writeSetting(L"Sound", std::wstring(300, L'\u00e9') + L"\u266b.wav");
  writeSetting(L"GroupSetting", L"1");
  show([](HWND dialog, DWORD) { driver::click(driver::findControl(dialog, L"&OK")); });
  EXPECT_EQ(store(), strings({L"click", L"1000", L"yes", L"no", L"bottom", L"255", L"-2147483627", L"",
                              L"0", std::wstring(300, L'\u00e9') + L"\u266b.wav", L"1"}));
}

// Loading moves every control but the buttons to Tahoma, keeping each one's
// size and weight; a label with room for two lines wraps, a one-line label
// does not.
TEST_F(SettingsDialogTest, LoadGivesTahomaInEachControlsOwnSizeAndWeight) {
  static const forms::FormTable table = frmSettingExTable();
  show([](HWND dialog, DWORD) {
    for (const auto& row : table.controls) {
      if (row.kind == forms::Kind::CommandButton || row.kind == forms::Kind::Line ||
          row.kind == forms::Kind::PictureBox)
        continue;
      SCOPED_TRACE(row.name + "(" + std::to_string(row.index) + ")");
      EXPECT_STREQ(driver::fontOf(driver::controlWindow(dialog, table, row.name, row.index)).lfFaceName,
                   L"Tahoma");
    }
    const LOGFONTW sample = driver::fontOf(driver::controlWindow(dialog, table, "lblSample"));
    const LOGFONTW caption = driver::fontOf(driver::controlWindow(dialog, table, "Label1", 9));
    EXPECT_EQ(sample.lfWeight, FW_BOLD);
    EXPECT_EQ(sample.lfHeight, -12) << "9 points";
    EXPECT_EQ(caption.lfWeight, FW_NORMAL);
    EXPECT_EQ(caption.lfHeight, -11) << "8.25 points";
    const auto wrapping = [&](int index) {
      const LONG style = GetWindowLongW(driver::controlWindow(dialog, table, "Label1", index), GWL_STYLE);
      return (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP;
    };
    EXPECT_TRUE(wrapping(2)) << "495 twips: room for two lines";
    EXPECT_FALSE(wrapping(3)) << "210 twips: one line";
    driver::pressKey(dialog, VK_ESCAPE);
  });
}

TEST_F(SettingsDialogTest, EscCancelAndTheCloseCommandWriteNothing) {
  const std::function<void(HWND)> endings[] = {
      [](HWND dialog) { driver::pressKey(dialog, VK_ESCAPE); },
      [](HWND dialog) { driver::click(driver::findControl(dialog, L"&Cancel")); },
      [](HWND dialog) { driver::closeWindow(dialog); },
  };
  for (const auto& end : endings) {
    show([&](HWND dialog, DWORD) {
      driver::click(driver::findControl(dialog, L"Show when cursor is on top of it"));
      end(dialog);
    });
    EXPECT_FALSE(readSetting(L"Behavior").has_value());
  }
}

// Tools that send IDOK and IDCANCEL, or ask for the default button, find
// the dialog behaving as any dialog does.
TEST_F(SettingsDialogTest, DialogCommandsPressOkAndCancel) {
  show([](HWND dialog, DWORD) {
    EXPECT_EQ(driver::defaultButtonAnswer(dialog),
              MAKELONG(GetDlgCtrlID(driver::findControl(dialog, L"&OK")), DC_HASDEFID));
    driver::click(driver::findControl(dialog, L"Show when cursor is on top of it"));
    driver::dialogCommand(dialog, IDCANCEL);
  });
  EXPECT_FALSE(readSetting(L"Behavior").has_value());
  show([](HWND dialog, DWORD) {
    driver::click(driver::findControl(dialog, L"Show when cursor is on top of it"));
    driver::dialogCommand(dialog, IDOK);
  });
  EXPECT_EQ(readSetting(L"Behavior"), (StoredValue{REG_SZ, L"move"}));
}

TEST_F(SettingsDialogTest, EnterPressesTheFocusedButtonElseOk) {
  show([](HWND dialog, DWORD thread) {
    HWND cancel = driver::findControl(dialog, L"&Cancel");
    PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cancel), TRUE);
    ASSERT_TRUE(driver::waitFor([&] { return driver::focusOf(thread) == cancel; }));
    driver::pressKey(dialog, VK_RETURN);
  });
  EXPECT_FALSE(readSetting(L"Behavior").has_value());
  show([](HWND dialog, DWORD thread) {
    HWND move = driver::findControl(dialog, L"Show when cursor is on top of it");
    driver::click(move);
    ASSERT_TRUE(driver::waitFor([&] { return driver::focusOf(thread) == move; }));
    driver::pressKey(dialog, VK_RETURN);
  });
  EXPECT_EQ(readSetting(L"Behavior"), (StoredValue{REG_SZ, L"move"}));
}

// A click on a tab, Ctrl+Tab and Ctrl+Shift+Tab, and the arrow keys on the
// tab strip each bring the tab's page, and only it, into view.
TEST_F(SettingsDialogTest, TabsMouseAndKeysSwitchPages) {
  show([](HWND dialog, DWORD thread) {
    HWND tabs = tabStrip(dialog);
    ASSERT_NE(tabs, nullptr);
    clickTab(tabs, 7);
    EXPECT_TRUE(waitForPage(dialog, 7));
    EXPECT_TRUE(IsWindowVisible(driver::findControl(dialog, L"Make it look like a button")));
    pressKeys({VK_CONTROL}, VK_TAB);
    EXPECT_TRUE(waitForPage(dialog, 8));
    pressKeys({VK_CONTROL, VK_SHIFT}, VK_TAB);
    pressKeys({VK_CONTROL, VK_SHIFT}, VK_TAB);
    EXPECT_TRUE(waitForPage(dialog, 6));
    clickTab(tabs, 9);
    EXPECT_TRUE(waitForPage(dialog, 9));
    pressKeys({VK_CONTROL}, VK_TAB);
    EXPECT_TRUE(waitForPage(dialog, 0)) << "Ctrl+Tab goes round";
    ASSERT_TRUE(driver::waitFor([&] { return driver::focusOf(thread) == tabs; }))
        << "a click on a tab leaves the focus on the tab strip";
    driver::pressKey(dialog, VK_RIGHT);
    EXPECT_TRUE(waitForPage(dialog, 1));
    driver::pressKey(dialog, VK_LEFT);
    EXPECT_TRUE(waitForPage(dialog, 0));
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
    driver::pressKey(dialog, VK_ESCAPE);
  });
}

// Tab walks the page in front, the tab strip, OK and Cancel, and never a
// control of a covered page.
TEST_F(SettingsDialogTest, TabReachesOnlyThePageInFront) {
  show([](HWND dialog, DWORD thread) {
    HWND tabs = tabStrip(dialog);
    clickTab(tabs, 8);
    ASSERT_TRUE(waitForPage(dialog, 8));
    const HWND front = pages(dialog)[8];
    const HWND ok = driver::findControl(dialog, L"&OK");
    const HWND cancel = driver::findControl(dialog, L"&Cancel");
    std::vector<HWND> seen;
    for (int press = 0; press < 12; ++press) {
      HWND before = driver::focusOf(thread);
      driver::pressKey(dialog, VK_TAB);
      driver::waitFor([&] { return driver::focusOf(thread) != before; }, 1000);
      HWND focus = driver::focusOf(thread);
      EXPECT_TRUE(focus == tabs || focus == ok || focus == cancel || IsChild(front, focus))
          << "focus on " << driver::windowText(focus).size() << "-character control";
      if (std::find(seen.begin(), seen.end(), focus) == seen.end()) seen.push_back(focus);
    }
    // The empty store leaves the sound box unchecked, its path box and
    // Browse... disabled: the check box, the tab strip, OK and Cancel.
    EXPECT_EQ(seen.size(), 4u);
    driver::pressKey(dialog, VK_ESCAPE);
  });
}

}  // namespace
}  // namespace tollivor::test
