// The three dialogs in the real DLL with real windows: each against its table, then what only the
// real system shows (file, colour and message boxes, drops, keys, the registry); and the sample bar.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <optional>
#include <set>

#include "component_support.h"
#include "driver.h"
#include "group/frmGroup.h"
#include "host/Bar.h"
#include "host/core/Entries.h"
#include "item/frmProperty.h"
#include "sdk/SettingKeys.h"
#include "settings/frmSettingEx.h"
#include "win32/Convert.h"
#include "win32/SettingsKey.h"

namespace tollivor::test {
namespace {

using driver::controlWindow;
using driver::Steps;
constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
const std::wstring kSettingsKey = win32::settingsKeyPath(L"Quorin", L"Setting");
const forms::FormTable kItem = frmPropertyTable(), kGroup = frmGroupTable(), kSettings = frmSettingExTable();

// A REG_SZ value's text, checked to be stored with its NUL.
std::optional<std::wstring> readSetting(const wchar_t* name) {
  wchar_t text[1024] = {};
  DWORD type = 0, bytes = sizeof text;
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey.c_str(), name, RRF_RT_ANY, &type, text, &bytes)) return {};
  EXPECT_EQ(std::pair(type, bytes), std::pair(DWORD(REG_SZ), DWORD((wcslen(text) + 1) * sizeof(wchar_t))));
  return text;
}

bool isVersion6Button(HWND button) {  // only those know BCM_GETIDEALSIZE
  SIZE ideal{};
  return SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)) && ideal.cx > 0;
}

// As Explorer drops files: a DROPFILES block of wide paths, each ending in a NUL, then a NUL.
void postDrop(HWND window, const std::wstring& first, const std::wstring& second) {
  const std::wstring list = first + L'\0' + second + L'\0' + L'\0';
  HGLOBAL memory = GlobalAlloc(GPTR, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));  // the window frees it
  *static_cast<DROPFILES*>(memory) = {sizeof(DROPFILES), {}, FALSE, TRUE};
  std::memcpy(static_cast<DROPFILES*>(memory) + 1, list.data(), list.size() * sizeof(wchar_t));
  PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

class Dialogs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey.c_str());
    ASSERT_TRUE(writeIconFile(icon, 32, kRed, kBlue) && writeTextFile(notes, "not a picture"));
    ASSERT_EQ(createByProgId(L"Tollivor.CProperty", IID__CProperty, item.putVoid()), S_OK);
    ASSERT_EQ(createByProgId(L"Tollivor.CGroup", IID__CGroup, group.putVoid()), S_OK);
    ASSERT_EQ(createByProgId(L"Tollivor.CSettingEx", IID__CSettingEx, settings.putVoid()), S_OK);
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey.c_str()); }

  template <class Editor>  // the record the host reads back after the steps
  std::wstring edit(Editor& editor, const wchar_t* caption, const std::wstring& record, const Steps& steps) {
    EXPECT_EQ(editor->put_ItemInfo(bstr(record.c_str()).get()), S_OK);
    driver::showWhile([&] { EXPECT_EQ(editor->Show(), S_OK); }, caption, steps);
    unique_bstr out;
    EXPECT_EQ(editor->get_ItemInfo(out.put()), S_OK);
    return text(out);
  }
  void showSettings(const Steps& steps) {
    driver::showWhile([&] { EXPECT_EQ(settings->Show(), S_OK); }, L"Tollivar Property", steps);
  }

  const std::wstring folder = tempFolder(L"tollivor-dialogs"), icon = folder + L"tools.ico", notes = folder + L"n.txt";
  Ref<_CProperty> item;
  Ref<_CGroup> group;
  Ref<_CSettingEx> settings;
};

// Controls where their rows put them, in the fonts the rows ask for (the settings dialog's load
// moves all but its buttons to Tahoma); version 6 buttons, the host keeping its own; a screenshot.
TEST_F(Dialogs, EachDialogMatchesItsTable) {
  const struct {
    const wchar_t* shot;
    const forms::FormTable& table;
    const wchar_t* loadFace;
    std::function<void(const Steps&)> show;
  } dialogs[] = {
      {L"item-dialog", kItem, nullptr, [&](auto& s) { edit(item, L"Item Property", folder + L"|Tools", s); }},
      {L"group-dialog", kGroup, nullptr, [&](auto& s) { edit(group, L"Group Property", L"group|T|:" + icon, s); }},
      {L"settings-dialog", kSettings, L"Tahoma", [&](auto& s) { showSettings(s); }},
  };
  for (const auto& d : dialogs) {
    d.show([&](HWND dialog, DWORD) {
      expectTableLayout(dialog, d.table);
      for (const auto& row : d.table.controls) {
        if (row.kind == forms::Kind::Line || row.kind == forms::Kind::PictureBox) continue;
        const forms::Font want = row.font.value_or(d.table.font);
        const LOGFONTW font = driver::fontOf(controlWindow(dialog, d.table, row.name, row.index));
        const bool loaded = d.loadFace && row.kind != forms::Kind::CommandButton;
        EXPECT_EQ(std::tuple(std::wstring(font.lfFaceName), font.lfHeight, font.lfWeight),
                  std::tuple(loaded ? d.loadFace : std::wstring(want.name.begin(), want.name.end()),
                             LONG(-std::lround(want.points * 96 / 72)), LONG(want.bold ? FW_BOLD : FW_NORMAL)))
            << row.name << "(" << row.index << ")";
      }
      EXPECT_TRUE(isVersion6Button(controlWindow(dialog, d.table, "cmdOK")) &&
                  isVersion6Button(controlWindow(dialog, d.table, "cmdCancel")));
      EXPECT_TRUE(saveScreenshot(dialog, d.shot));
      driver::closeWindow(dialog);
    });
    const win32::unique_hwnd button(CreateWindowExW(0, L"BUTTON", L"", WS_POPUP, 0, 0, 80, 24, 0, 0, 0, 0));
    EXPECT_FALSE(isVersion6Button(button.get())) << "the host's own buttons stay as they were";
  }
}

TEST_F(Dialogs, ItemTargetPickedFromTheListByKey) {
  EXPECT_EQ(edit(item, L"Item Property", L"|tip", [](HWND dialog, DWORD thread) {
              HWND target = FindWindowExW(controlWindow(dialog, kItem, "Text1"), nullptr, L"Edit", nullptr);
              ASSERT_TRUE(driver::waitFor([&] { return driver::focusOf(thread) == target; }));
              driver::pressKey(dialog, VK_DOWN);  // the list's first entry
              driver::waitFor([&] { return driver::windowText(target) == L"My Computer"; });
              driver::pressKey(dialog, VK_RETURN);
            }),
            L"My Computer|tip");
}

// A refused OK's message box, a drop let go under it (its handler still runs), the focus after it;
// a drop taken and previewed; a 32,000-character name's round trip.
TEST_F(Dialogs, GroupMessageBoxDropsAndALongName) {
  EXPECT_EQ(edit(group, L"Group Property", L"group|Tools|:" + notes, [&](HWND dialog, DWORD thread) {
              HWND path = controlWindow(dialog, kGroup, "lblIconPath");
              HWND preview = controlWindow(dialog, kGroup, "pictIcon");
              EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "Explorer offers it drops";
              driver::click(controlWindow(dialog, kGroup, "cmdOK"));
              HWND box = driver::waitForMessageBox(thread);
              ASSERT_NE(box, nullptr);
              EXPECT_EQ(driver::messageBoxText(box), L"You must provide a valid icon file. ");
              EXPECT_EQ(driver::windowText(box), L"Group Property");
              EXPECT_TRUE(isVersion6Button(GetDlgItem(box, IDOK)));
              postDrop(dialog, icon, notes);
              Sleep(300);
              driver::closeMessageBox(box);
              HWND changeIcon = controlWindow(dialog, kGroup, "cmdChangeIcon");
              EXPECT_TRUE(driver::waitFor([&] { return driver::focusOf(thread) == changeIcon; }));
              Sleep(200);
              EXPECT_EQ(driver::windowText(path), notes) << "the drop under the box was let go";
              postDrop(dialog, icon, notes);
              EXPECT_TRUE(driver::waitFor([&] {
                return paintedPixel(preview, 4, 16) == kRed && paintedPixel(preview, 28, 16) == kBlue;
              }));
              driver::click(controlWindow(dialog, kGroup, "cmdOK"));
            }),
            L"group|Tools|:" + icon);
  const std::wstring name(32000, L'n');
  EXPECT_EQ(edit(group, L"Group Property", L"group|" + name + L"|:",
                 [](HWND dialog, DWORD) { driver::click(controlWindow(dialog, kGroup, "cmdOK")); }),
            L"group|" + name + L"|:");
}

HWND page(HWND dialog, int index) { return controlWindow(dialog, kSettings, "Picture1", index); }
bool waitForPage(HWND dialog, int index) {  // the page in front, and only it, shown
  return driver::waitFor([&] {
    for (int i = 0; i < frmSettingEx::kPageCount; ++i)
      if ((IsWindowVisible(page(dialog, i)) != FALSE) != (i == index)) return false;
    return true;
  });
}
void clickTab(HWND dialog, int tab) {
  driver::clickAt(driver::tabCentre(controlWindow(dialog, kSettings, "SSTab1"), tab));
  EXPECT_TRUE(waitForPage(dialog, tab)) << tab;
}

// A value of another type reads as missing. Tabs by click and Ctrl+Tab, Tab
// only on the page in front; the colour dialog from the stored system colour to the sample; each
// Browse opens in the shared folder, the stored sound's; OK writes the eleven keys as strings.
TEST_F(Dialogs, SettingsTabsColourAndFileDialogsAndTheStore) {
  const std::wstring sound = folder + L"in.wav", picture = tempFolder(L"tollivor-dialogs\\other") + L"bar.bmp";
  ASSERT_TRUE(writeTextFile(sound, "") && writeTextFile(picture, ""));
  const DWORD one = 1;
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey.c_str(), L"Behavior", REG_DWORD, &one, sizeof one);
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey.data(), L"Sound", REG_SZ, sound.data(), DWORD(sound.size() + 1) * 2);
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey.data(), L"Color_mouseExit", REG_SZ, L"-2147483643", 24);
  showSettings([&](HWND dialog, DWORD thread) {
    ASSERT_TRUE(driver::waitFor([&] { return GetForegroundWindow() == dialog; }));
    Sleep(200);  // the window system's own notice of it may follow
    for (int tab = frmSettingEx::kPageCount - 1; tab >= 0; --tab) {
      clickTab(dialog, tab);
      driver::moveMouseTo({0, 0});  // no tab lit up in the picture
      EXPECT_TRUE(saveScreenshot(dialog, L"settings-" + std::to_wstring(tab)));
    }
    driver::pressKeys({VK_CONTROL, VK_SHIFT, VK_TAB});
    EXPECT_TRUE(waitForPage(dialog, 9)) << "Ctrl+Shift+Tab goes round";
    for (int tab : {0, 1, 2}) EXPECT_TRUE((driver::pressKeys({VK_CONTROL, VK_TAB}), waitForPage(dialog, tab)));
    std::set<HWND> seen;  // the page's two options are one stop
    for (int press = 0; press < 10; ++press) {
      HWND before = driver::focusOf(thread);
      driver::pressKey(dialog, VK_TAB);
      driver::waitFor([&] { return driver::focusOf(thread) != before; }, 1000);
      HWND focus = driver::focusOf(thread);
      EXPECT_TRUE(GetParent(focus) == dialog || IsChild(page(dialog, 2), focus));
      seen.insert(focus);
    }
    EXPECT_EQ(seen.size(), 4u) << "an option of the page, the tab strip, OK, Cancel";

    clickTab(dialog, 5);
    driver::click(controlWindow(dialog, kSettings, "cmdNormalState"));
    HWND colours = driver::waitForDialog(thread, dialog);
    const COLORREF shadow = GetSysColor(COLOR_WINDOW);  // as stored: system colour 5
    for (const auto& [id, start, pick] :
         {std::tuple{706, GetRValue(shadow), L"255"}, {707, GetGValue(shadow), L"0"}, {708, GetBValue(shadow), L"0"}}) {
      EXPECT_EQ(driver::windowText(GetDlgItem(colours, id)), std::to_wstring(start));
      SendMessageW(GetDlgItem(colours, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pick));
    }
    driver::dialogCommand(colours, IDOK);
    HWND sample = controlWindow(dialog, kSettings, "lblSample");
    EXPECT_TRUE(driver::waitFor([&] { return paintedPixel(sample, 10, 5) == kRed; }));

    for (const auto& [tab, button, file] : {std::tuple{frmSettingEx::kSoundPage, "cmdSoundBrowse", sound},
                                           {frmSettingEx::kPicturePage, "cmdBrowsePict", picture}}) {
      clickTab(dialog, tab);
      if (tab == frmSettingEx::kPicturePage) driver::click(controlWindow(dialog, kSettings, "chkUseBg"));
      driver::click(controlWindow(dialog, kSettings, button));
      HWND open = driver::waitForDialog(thread, dialog);
      wchar_t at[MAX_PATH] = {};
      SendMessageW(open, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(at));
      EXPECT_EQ(std::wstring(at) + L"\\", folder);
      EXPECT_TRUE(driver::chooseFile(open, file));
    }
    driver::click(controlWindow(dialog, kSettings, "cmdOK"));  // Enter would browse again
  });
  std::vector<std::optional<std::wstring>> stored;
  for (const auto& key : kSettingKeys) stored.push_back(readSetting(win32::wide(std::u16string(key.name))));
  EXPECT_EQ(stored, (std::vector<std::optional<std::wstring>>{L"click", L"100", L"yes", L"no", L"right",
                                                               L"-2147483628", L"255", picture, L"0", sound, L"0"}));
}

// The sample bar: its missing entries file made, an item edit saved, tooltips off after a settings edit.
TEST_F(Dialogs, HostBarSavesAnItemEditAndTakesTheSettings) {
  const std::wstring path = folder + L"entries.txt";
  DeleteFileW(path.c_str());
  const auto records = [&] {
    std::ifstream in(std::string(path.begin(), path.end()), std::ios::binary);
    return host::ParseEntries(std::string(std::istreambuf_iterator<char>(in), {})).records;
  };
  const auto tools = [](HWND bar) { return SendMessageW(host::BarTooltips(bar), TTM_GETTOOLCOUNT, 0, 0); };
  const win32::unique_hwnd bar(
      host::CreateBar(GetModuleHandleW(nullptr), {.entriesPath = path, .playSound = false, .quitOnClose = false}));
  auto saved = records();
  ASSERT_EQ(saved.size(), 6u) << "the default entries";
  const auto command = [&](UINT id, const wchar_t* caption, const Steps& steps) {
    driver::showWhile([&] { SendMessageW(bar.get(), WM_COMMAND, id, 0); }, caption, steps);
  };
  command(host::kCmdPropertiesFirst, L"Item Property", [](HWND dialog, DWORD) {
    driver::typeInto(controlWindow(dialog, kItem, "Text2"), L"Temp");
    driver::click(controlWindow(dialog, kItem, "cmdOK"));
  });
  saved.front() = saved.front().substr(0, saved.front().find(u'|')) + u"|Temp";
  EXPECT_EQ(records(), saved);
  command(host::kCmdSettings, L"Tollivar Property", [](HWND dialog, DWORD) {
    driver::click(controlWindow(dialog, kSettings, "OptNoToolTip"));
    driver::click(controlWindow(dialog, kSettings, "cmdOK"));
  });
  EXPECT_EQ(tools(bar.get()), 0);
}

}  // namespace
}  // namespace tollivor::test
