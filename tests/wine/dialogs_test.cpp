// The three dialogs in the real DLL with real windows: each one's layout,
// fonts and buttons against its table, then what only the real system
// shows: its file, colour and message boxes, drops, keys and the registry.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "component_support.h"
#include "driver.h"
#include "group/frmGroup.h"
#include "item/frmProperty.h"
#include "pictures.h"
#include "settings/frmSettingEx.h"
#include "win32/SettingsKey.h"

namespace tollivor::test {
namespace {

using driver::Steps;
constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
const std::wstring kSettingsKey = win32::settingsKeyPath(L"Quorin", L"Setting");

// A REG_SZ value's text, checked to be stored with its terminating NUL; a
// value of another type reads as "(type N)".
std::optional<std::wstring> readSetting(const wchar_t* name) {
  wchar_t text[1024] = {};
  DWORD type = 0, bytes = sizeof text;
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, text,
                   &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  if (type != REG_SZ) return L"(type " + std::to_wstring(type) + L")";
  EXPECT_EQ(bytes, (wcslen(text) + 1) * sizeof(wchar_t)) << "stored with its NUL";
  return text;
}
void writeSetting(const wchar_t* name, DWORD type, const void* data, size_t bytes) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey.c_str(), name, type, data, static_cast<DWORD>(bytes));
}

// Only the buttons of Common Controls 6 know BCM_GETIDEALSIZE.
bool isVersion6Button(HWND button) {
  SIZE ideal{};
  DWORD_PTR answered = 0;
  return SendMessageTimeoutW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal), SMTO_ABORTIFHUNG,
                             driver::kTimeoutMs, &answered) && answered && ideal.cx > 0;
}

// Drops the files as Explorer does: a DROPFILES block of wide, NUL-separated
// paths ending in two NULs, which the window must let go.
void postDrop(HWND window, const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const auto& path : paths) list.append(path).push_back(L'\0');
  list.push_back(L'\0');
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(header + 1, list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

bool previewShowsTheTestIcon(HWND dialog) {  // red left half, blue right half
  HWND preview = pictureBoxOf(dialog);
  return driver::waitFor([&] { return paintedPixel(preview, 4, 16) == kRed && paintedPixel(preview, 28, 16) == kBlue; });
}

class Dialogs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey.c_str());
    ASSERT_TRUE(writeIconFile(icon, 32, kRed, kBlue));
    ASSERT_TRUE(writeTextFile(notes, "not a picture"));
    ASSERT_EQ(createByProgId(L"Tollivor.CProperty", IID__CProperty, item.putVoid()), S_OK);
    ASSERT_EQ(createByProgId(L"Tollivor.CGroup", IID__CGroup, group.putVoid()), S_OK);
    ASSERT_EQ(createByProgId(L"Tollivor.CSettingEx", IID__CSettingEx, settings.putVoid()), S_OK);
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey.c_str()); }

  // Hands the record to the editor, shows it while the steps work it, and
  // answers the record the host then reads.
  template <class Editor>
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

  const std::wstring folder = tempFolder(L"tollivor-dialogs"), icon = folder + L"tools.ico",
                     notes = folder + L"notes.txt";
  Ref<_CProperty> item;
  Ref<_CGroup> group;
  Ref<_CSettingEx> settings;
};

// Every control where its row puts it, in the face, size and weight its row
// asks for (the settings dialog's load moves all but its buttons to Tahoma),
// Common Controls 6 buttons from the DLL's manifest while the host keeps its
// own, and a screenshot for the build.
TEST_F(Dialogs, EachDialogMatchesItsTable) {
  const struct {
    const wchar_t* shot;
    forms::FormTable table;
    const wchar_t* loadFace;
    std::function<void(const Steps&)> show;
  } dialogs[] = {
      {L"item-dialog", frmPropertyTable(), nullptr,
       [&](const Steps& s) { edit(item, L"Item Property", folder + L"|Tools folder", s); }},
      {L"group-dialog", frmGroupTable(), nullptr,
       [&](const Steps& s) { edit(group, L"Group Property", L"group|Tools|:" + icon, s); }},
      {L"settings-dialog", frmSettingExTable(), L"Tahoma", [&](const Steps& s) { showSettings(s); }},
  };
  for (const auto& d : dialogs) {
    SCOPED_TRACE(std::string(d.shot, d.shot + wcslen(d.shot)));
    d.show([&](HWND dialog, DWORD) {
      EXPECT_EQ(expectTableLayout(dialog, d.table),
                std::count_if(d.table.controls.begin(), d.table.controls.end(),
                              [](auto& row) { return row.kind != forms::Kind::Line; }));
      for (const auto& row : d.table.controls) {
        if (row.kind == forms::Kind::Line || row.kind == forms::Kind::PictureBox) continue;
        const forms::Font want = row.font.value_or(d.table.font);
        const LOGFONTW font = driver::fontOf(driver::controlWindow(dialog, d.table, row.name, row.index));
        const bool loaded = d.loadFace && row.kind != forms::Kind::CommandButton;
        EXPECT_EQ(font.lfFaceName, loaded ? std::wstring(d.loadFace) : std::wstring(want.name.begin(), want.name.end()))
            << row.name << "(" << row.index << ")";
        EXPECT_EQ(font.lfHeight, -std::lround(want.points * 96 / 72)) << row.name;
        EXPECT_EQ(font.lfWeight, want.bold ? FW_BOLD : FW_NORMAL) << row.name;
      }
      EXPECT_TRUE(isVersion6Button(driver::controlWindow(dialog, d.table, "cmdOK")));
      EXPECT_TRUE(isVersion6Button(driver::controlWindow(dialog, d.table, "cmdCancel")));
      EXPECT_TRUE(saveScreenshot(dialog, d.shot));
      driver::closeWindow(dialog);
    });
    const win32::unique_hwnd button(CreateWindowExW(0, L"BUTTON", L"x", WS_POPUP, 0, 0, 80, 24, nullptr,
                                                    nullptr, nullptr, nullptr));
    EXPECT_FALSE(isVersion6Button(button.get())) << "the host's own buttons stay as they were";
  }
}

// The target list's first entry picked with the arrow key, Enter for OK.
TEST_F(Dialogs, ItemTargetPickedFromTheListByKey) {
  EXPECT_EQ(edit(item, L"Item Property", L"|tip", [](HWND dialog, DWORD thread) {
              HWND target = FindWindowExW(driver::controlWindow(dialog, frmPropertyTable(), "Text1"), nullptr,
                                          L"Edit", nullptr);
              ASSERT_TRUE(driver::waitFor([&] { return driver::focusOf(thread) == target; }));
              driver::pressKey(dialog, VK_DOWN);
              driver::waitFor([&] { return driver::windowText(target) == L"My Computer"; });
              driver::pressKey(dialog, VK_RETURN);
            }),
            L"My Computer|tip");
}

// A refused OK shows the real message box, titled by the dialog; a drop
// while it is up is let go (the handler that opened it still runs); after
// it the focus is on Change Icon, and a drop is taken and previewed.
TEST_F(Dialogs, GroupMessageBoxRefusesDropsAndAfterItADropIsTaken) {
  const auto table = frmGroupTable();
  EXPECT_EQ(edit(group, L"Group Property", L"group|Tools|:" + notes, [&](HWND dialog, DWORD thread) {
              HWND path = driver::controlWindow(dialog, table, "lblIconPath");
              EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
              driver::click(driver::controlWindow(dialog, table, "cmdOK"));
              HWND box = driver::waitForMessageBox(thread);
              ASSERT_NE(box, nullptr);
              EXPECT_EQ(driver::messageBoxText(box), L"You must provide a valid icon file. ");
              EXPECT_EQ(driver::windowText(box), L"Group Property");
              EXPECT_TRUE(isVersion6Button(GetDlgItem(box, IDOK)));
              postDrop(dialog, {icon});
              Sleep(300);
              driver::closeMessageBox(box);
              ASSERT_TRUE(driver::waitFor([&] { return IsWindowEnabled(dialog) != FALSE; }));
              HWND changeIcon = driver::controlWindow(dialog, table, "cmdChangeIcon");
              EXPECT_TRUE(driver::waitFor([&] { return driver::focusOf(thread) == changeIcon; }));
              Sleep(200);
              EXPECT_EQ(driver::windowText(path), notes) << "the drop under the box was let go";
              postDrop(dialog, {icon, notes});
              EXPECT_TRUE(driver::waitFor([&] { return driver::windowText(path) == icon; }));
              EXPECT_TRUE(previewShowsTheTestIcon(dialog));
              driver::click(driver::controlWindow(dialog, table, "cmdOK"));
            }),
            L"group|Tools|:" + icon);
}

TEST_F(Dialogs, GroupLongTextsComeBackAsTheDialogReadThem) {
  const std::wstring name(32000, L'n');
  const auto ok = [](HWND dialog, DWORD) { driver::click(driver::findControl(dialog, L"&OK")); };
  EXPECT_EQ(edit(group, L"Group Property", L"group|" + name + L"|:", ok), L"group|" + name + L"|:");
  EXPECT_EQ(edit(group, L"Group Property", L"group|T|:" + std::wstring(40000, L'p'), ok), L"group|T|:");
}

// Values of another type read as missing; OK writes all eleven as strings.
TEST_F(Dialogs, SettingsOkWritesElevenStringsOverNumberValues) {
  const DWORD one = 1, blue = 255;
  writeSetting(L"Behavior", REG_DWORD, &one, sizeof one);
  writeSetting(L"Color_mouseExit", REG_DWORD, &blue, sizeof blue);
  writeSetting(L"Speed", REG_SZ, L"1000", 10);
  const wchar_t* const keys[] = {L"Behavior", L"Speed", L"ShowTip", L"SmartSlide", L"Direction",
                                 L"Color_mouseEnter", L"Color_mouseExit", L"BackgroundPicture",
                                 L"Appearance", L"Sound", L"GroupSetting"};
  const std::vector<std::optional<std::wstring>> expected = {
      L"click", L"1000", L"yes", L"no", L"right", L"-2147483628", L"-2147483627", L"", L"0", L"", L"0"};
  showSettings([](HWND dialog, DWORD) { driver::pressKey(dialog, VK_ESCAPE); });
  EXPECT_EQ(readSetting(L"Behavior"), L"(type 4)") << "Cancel writes nothing";
  showSettings([](HWND dialog, DWORD) { driver::pressKey(dialog, VK_RETURN); });
  std::vector<std::optional<std::wstring>> stored;
  for (const wchar_t* key : keys) stored.push_back(readSetting(key));
  EXPECT_EQ(stored, expected);
}

HWND page(HWND dialog, int index) { return driver::controlWindow(dialog, frmSettingExTable(), "Picture1", index); }
bool waitForPage(HWND dialog, int index) {  // the page in front, and only it, shown
  return driver::waitFor([&] {
    for (int i = 0; i < frmSettingEx::kPageCount; ++i)
      if ((IsWindowVisible(page(dialog, i)) != FALSE) != (i == index)) return false;
    return true;
  });
}
void clickTab(HWND dialog, int tab) {
  HWND strip = FindWindowExW(dialog, nullptr, WC_TABCONTROLW, nullptr);
  RECT r{};
  SendMessageW(strip, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&r));
  MapWindowPoints(strip, nullptr, reinterpret_cast<POINT*>(&r), 2);
  driver::clickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  EXPECT_TRUE(waitForPage(dialog, tab)) << tab;
}

// A click on each tab brings its page (photographed), Ctrl+Tab and
// Ctrl+Shift+Tab go round; Tab walks the page in front, the tab strip, OK
// and Cancel, never a control of a covered page.
TEST_F(Dialogs, SettingsTabsAndTabReachOnlyThePageInFront) {
  showSettings([](HWND dialog, DWORD thread) {
    ASSERT_TRUE(driver::waitFor([&] { return GetForegroundWindow() == dialog; }));
    Sleep(200);  // the window system's own notice of it may follow
    for (int tab = frmSettingEx::kPageCount - 1; tab >= 0; --tab) {
      clickTab(dialog, tab);
      driver::moveMouseTo({0, 0});  // no tab under the pointer in the picture
      EXPECT_TRUE(saveScreenshot(dialog, L"settings-" + std::to_wstring(tab)));
    }
    driver::pressKeys({VK_CONTROL, VK_SHIFT, VK_TAB});
    EXPECT_TRUE(waitForPage(dialog, 9)) << "Ctrl+Shift+Tab goes round";
    driver::pressKeys({VK_CONTROL, VK_TAB});
    EXPECT_TRUE(waitForPage(dialog, 0)) << "Ctrl+Tab goes round";
    driver::pressKeys({VK_CONTROL, VK_TAB});
    driver::pressKeys({VK_CONTROL, VK_TAB});
    ASSERT_TRUE(waitForPage(dialog, 2));
    // The page's two options count as one stop.
    std::vector<HWND> seen;
    for (int press = 0; press < 10; ++press) {
      HWND before = driver::focusOf(thread);
      driver::pressKey(dialog, VK_TAB);
      driver::waitFor([&] { return driver::focusOf(thread) != before; }, 1000);
      HWND focus = driver::focusOf(thread);
      EXPECT_TRUE(GetParent(focus) == dialog || IsChild(page(dialog, 2), focus));
      if (std::find(seen.begin(), seen.end(), focus) == seen.end()) seen.push_back(focus);
    }
    EXPECT_EQ(seen.size(), 4u) << "an option of the page, the tab strip, OK, Cancel";
    driver::pressKey(dialog, VK_ESCAPE);
  });
}

// The real colour dialog starts at the stored system colour and its pick
// shows in the sample at once and is stored.
TEST_F(Dialogs, SettingsColourDialogPicksTheNormalColour) {
  showSettings([](HWND dialog, DWORD thread) {
    const auto table = frmSettingExTable();
    clickTab(dialog, 5);
    driver::click(driver::controlWindow(dialog, table, "cmdNormalState"));
    HWND colours = driver::waitForDialog(thread, dialog);
    ASSERT_NE(colours, nullptr);
    const COLORREF shadow = GetSysColor(COLOR_3DDKSHADOW);  // the default: system colour 21
    for (const auto& [id, start, pick] : {std::tuple{706, GetRValue(shadow), L"255"},
                                          {707, GetGValue(shadow), L"0"}, {708, GetBValue(shadow), L"0"}}) {
      EXPECT_EQ(driver::windowText(GetDlgItem(colours, id)), std::to_wstring(start));
      SendMessageW(GetDlgItem(colours, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pick));
    }
    driver::dialogCommand(colours, IDOK);
    ASSERT_TRUE(driver::waitFor([&] { return !IsWindow(colours); }));
    HWND sample = driver::controlWindow(dialog, table, "lblSample");
    EXPECT_TRUE(driver::waitFor([&] { return paintedPixel(sample, 10, 5) == kRed; }) ||
                driver::waitFor([&] { return paintedPixel(sample, 20, 8) == kRed; }));
    driver::click(driver::controlWindow(dialog, table, "cmdOK"));  // Enter would press "..." again
  });
  EXPECT_EQ(readSetting(L"Color_mouseExit"), L"255");
}

// The sound's Browse opens in the stored sound's folder and the picture's
// Browse, with no file of its own, in the same shared one.
TEST_F(Dialogs, SettingsBrowseOpensTheFileDialogInTheSharedFolder) {
  const std::wstring sound = folder + L"in.wav", picture = folder + L"bar.bmp";
  ASSERT_TRUE(writeTextFile(sound, "") && writeTextFile(picture, ""));
  writeSetting(L"Sound", REG_SZ, sound.c_str(), (sound.size() + 1) * 2);
  showSettings([&](HWND dialog, DWORD thread) {
    const auto table = frmSettingExTable();
    const auto browse = [&](const char* button, const std::wstring& file) {
      driver::click(driver::controlWindow(dialog, table, button));
      HWND open = driver::waitForDialog(thread, dialog);
      ASSERT_NE(open, nullptr);
      wchar_t at[MAX_PATH] = {};
      SendMessageW(open, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(at));
      EXPECT_EQ(std::wstring(at) + L"\\", folder);
      EXPECT_TRUE(driver::chooseFile(open, file));
    };
    clickTab(dialog, frmSettingEx::kSoundPage);
    browse("cmdSoundBrowse", sound);
    clickTab(dialog, frmSettingEx::kPicturePage);
    driver::click(driver::controlWindow(dialog, table, "chkUseBg"));
    browse("cmdBrowsePict", picture);
    driver::click(driver::controlWindow(dialog, table, "cmdOK"));
  });
  EXPECT_EQ(readSetting(L"Sound"), sound);
  EXPECT_EQ(readSetting(L"BackgroundPicture"), picture);
}

}  // namespace
}  // namespace tollivor::test
