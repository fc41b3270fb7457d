// The sample bar as its user meets it: its entries file made, an item edit
// through the real dialog saved, and a settings edit applied to the bar.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "component_support.h"
#include "driver.h"
#include "host/Bar.h"
#include "host/core/Entries.h"
#include "item/frmProperty.h"
#include "settings/frmSettingEx.h"
#include "win32/SettingsKey.h"

namespace tollivor::test {
namespace {

TEST(HostBar, DefaultFileMadeAnItemEditSavedAndTooltipsOffAfterASettingsEdit) {
  ASSERT_EQ(registerComponent(), S_OK);
  const std::wstring settingsKey = win32::settingsKeyPath(L"Quorin", L"Setting");
  const std::wstring path = tempFolder(L"tollivor-bar") + L"entries.txt";
  RegDeleteTreeW(HKEY_CURRENT_USER, settingsKey.c_str()), DeleteFileW(path.c_str());
  const auto records = [&] {
    std::stringstream text;
    text << std::ifstream(std::string(path.begin(), path.end()), std::ios::binary).rdbuf();
    return host::ParseEntries(text.str()).records;
  };
  const auto tools = [](HWND bar) { return SendMessageW(host::BarTooltips(bar), TTM_GETTOOLCOUNT, 0, 0); };
  HWND bar = host::CreateBar(GetModuleHandleW(nullptr), {.entriesPath = path, .playSound = false, .quitOnClose = false});
  ASSERT_NE(bar, nullptr);
  auto saved = records();
  ASSERT_EQ(saved.size(), host::DefaultEntries(u"").size()) << "the missing file is made with the defaults";
  EXPECT_EQ(tools(bar), std::count_if(saved.begin(), saved.end(), [](auto& r) { return !r.ends_with(u"|"); }));
  driver::showWhile([&] { SendMessageW(bar, WM_COMMAND, host::kCmdPropertiesFirst, 0); }, L"Item Property",
                    [](HWND dialog, DWORD) {
                      driver::typeInto(driver::controlWindow(dialog, frmPropertyTable(), "Text2"), L"Temp");
                      driver::click(driver::findControl(dialog, L"&OK"));
                    });
  saved.front() = saved.front().substr(0, saved.front().find(u'|')) + u"|Temp";
  EXPECT_EQ(records(), saved);
  driver::showWhile([&] { SendMessageW(bar, WM_COMMAND, host::kCmdSettings, 0); }, L"Tollivar Property",
                    [](HWND dialog, DWORD) {
                      driver::click(driver::controlWindow(dialog, frmSettingExTable(), "OptNoToolTip"));
                      driver::click(driver::findControl(dialog, L"&OK"));
                    });
  EXPECT_EQ(tools(bar), 0);
  DestroyWindow(bar), RegDeleteTreeW(HKEY_CURRENT_USER, settingsKey.c_str());
}

}  // namespace
}  // namespace tollivor::test
