// What the settings dialog tests under Wine share: the settings store in the
// registry, the dialog's pages and tab strip, and real input (the mouse and
// keyboard through SendInput, as a user's hand would give it).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "component_support.h"
#include "driver.h"
#include "win32/SettingsKey.h"

namespace tollivor::test {

inline const std::wstring kSettingsKey = win32::settingsKeyPath(L"Quorin", L"Setting");

struct StoredValue {
  DWORD type = 0;
  std::wstring text;  // REG_SZ values only
  bool operator==(const StoredValue&) const = default;
};

inline void PrintTo(const StoredValue& value, std::ostream* out) {
  *out << "type " << value.type << " \"";
  for (wchar_t c : value.text) *out << (c < 128 ? static_cast<char>(c) : '?');
  *out << "\"";
}

void clearSettings();
std::optional<StoredValue> readSetting(const wchar_t* key);
void writeSetting(const wchar_t* key, const std::wstring& text);
void writeSettingNumber(const wchar_t* key, DWORD number);  // REG_DWORD

// The dialog's tab strip and pages (the page containers, in tab order).
HWND tabStrip(HWND dialog);
std::vector<HWND> pages(HWND dialog);
// The index of the one visible page, or -1 when none or more than one is.
int visiblePage(HWND dialog);
bool waitForPage(HWND dialog, int page);

// True once the dialog is the foreground window and stays so: real input
// given earlier may go elsewhere.
bool waitUntilActive(HWND dialog);

// Real input, queued for whatever window is under the pointer or has the focus.
void moveMouseTo(POINT screen);
void clickAt(POINT screen);
void clickTab(HWND tabs, int tab);
void pressKeys(std::initializer_list<WORD> held, WORD key);  // e.g. {VK_CONTROL}, VK_TAB
POINT centreOf(HWND window);

// Pixels of the window's screen area whose colour is near `colour`.
int pixelsNear(HWND window, COLORREF colour);

// The settings class made by ProgID over an empty store; show() runs the
// dialog while the steps work it from a watcher thread.
using Steps = std::function<void(HWND dialog, DWORD thread)>;

inline const wchar_t* const kKeys[] = {L"Behavior",         L"Speed",           L"ShowTip",
                                L"SmartSlide",       L"Direction",       L"Color_mouseEnter",
                                L"Color_mouseExit",  L"BackgroundPicture", L"Appearance",
                                L"Sound",            L"GroupSetting"};

class SettingsDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }

  void SetUp() override {
    clearSettings();
    ASSERT_EQ(createByProgId(L"Tollivor.CSettingEx", IID__CSettingEx, settings.putVoid()), S_OK);
  }
  void TearDown() override { clearSettings(); }

  // Shows the dialog while the steps run on a watcher thread.
  void show(const Steps& steps) {
    driver::Watcher watcher([&](DWORD thread) {
      HWND dialog = driver::waitForWindow(thread, L"Tollivar Property");
      if (!dialog) return driver::closeAll(thread);
      EXPECT_TRUE(waitUntilActive(dialog));
      steps(dialog, thread);
      if (!driver::waitFor([&] { return !IsWindowVisible(dialog); }, 3000)) {
        ADD_FAILURE() << "the dialog was still open after the steps";
        driver::closeAll(thread);
      }
    });
    EXPECT_EQ(settings->Show(), S_OK);
  }

  static std::vector<std::optional<StoredValue>> store() {
    std::vector<std::optional<StoredValue>> values;
    for (const wchar_t* key : kKeys) values.push_back(readSetting(key));
    return values;
  }

  static std::vector<std::optional<StoredValue>> strings(std::vector<std::wstring> texts) {
    std::vector<std::optional<StoredValue>> values;
    for (auto& text : texts) values.push_back(StoredValue{REG_SZ, std::move(text)});
    return values;
  }

  Ref<_CSettingEx> settings;
};

}  // namespace tollivor::test
