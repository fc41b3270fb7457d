// The settings dialog's real windows: every control where its table puts
// it, every page photographed, the real colour and file dialogs, and the
// sample's colour under real pointer moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver.h"
#include "layout.h"
#include "screenshot.h"
#include "settings/frmSettingEx.h"
#include "settings_support.h"

namespace tollivor::test {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// The file name box of a file-open dialog (a combo box in the explorer
// style, else an edit), given a path, then OK.
void chooseFile(HWND open, const std::wstring& path) {
  HWND name = GetDlgItem(open, 0x47c);
  if (!name) name = GetDlgItem(open, 0x480);
  ASSERT_NE(name, nullptr);
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageW(open, WM_COMMAND, IDOK, 0);
}

std::wstring makeFile(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"tollivor-settings";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring path = folder + L"\\" + name;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(h);
  return path;
}

TEST_F(SettingsDialogTest, EveryControlStandsWhereTheTablePutsItOnEveryPage) {
  const auto table = frmSettingExTable();
  show([&](HWND dialog, DWORD) {
    const auto all = pages(dialog);
    for (int page = 0; page < frmSettingEx::kPageCount; ++page) {
      clickTab(tabStrip(dialog), page);
      ASSERT_TRUE(waitForPage(dialog, page)) << page;
      SCOPED_TRACE(page);
      EXPECT_EQ(expectTableLayout(dialog, table), static_cast<int>(table.controls.size()));
      for (const auto& row : table.controls) {
        if (row.containerIndex != page) continue;
        HWND control = driver::controlWindow(dialog, table, row.name, row.index);
        EXPECT_EQ(IsWindowVisible(control) != FALSE, row.name != "lblSample2") << row.name;
      }
      if (_wgetenv(L"TOLLIVOR_SCREENSHOTS")) {
        moveMouseTo({0, 0});
        Sleep(200);  // let it paint
        EXPECT_TRUE(saveScreenshot(dialog, L"settings-" + std::to_wstring(page)));
      }
    }
    driver::pressKey(dialog, VK_ESCAPE);
  });
}

TEST_F(SettingsDialogTest, TheColourDialogPicksPureRedForTheNormalState) {
  show([](HWND dialog, DWORD thread) {
    clickTab(tabStrip(dialog), 5);
    ASSERT_TRUE(waitForPage(dialog, 5));
    HWND normalState = driver::findControl(pages(dialog)[5], L"...");
    driver::click(normalState);
    HWND colours = driver::waitForDialog(thread, dialog);
    ASSERT_NE(colours, nullptr);
    // The red, green and blue boxes of the colour dialog: they start at the
    // colour the stored system colour number stands for.
    const COLORREF shadow = GetSysColor(COLOR_3DDKSHADOW);
    EXPECT_EQ(driver::windowText(GetDlgItem(colours, 706)), std::to_wstring(GetRValue(shadow)));
    EXPECT_EQ(driver::windowText(GetDlgItem(colours, 707)), std::to_wstring(GetGValue(shadow)));
    EXPECT_EQ(driver::windowText(GetDlgItem(colours, 708)), std::to_wstring(GetBValue(shadow)));
    for (const auto& [id, value] : {std::pair{706, L"255"}, {707, L"0"}, {708, L"0"}})
      SendMessageW(GetDlgItem(colours, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
    PostMessageW(colours, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(driver::waitFor([&] { return !IsWindow(colours); }));
    HWND sample = driver::findControl(dialog, L"Tollivar");
    moveMouseTo({0, 0});
    EXPECT_TRUE(driver::waitFor([&] { return pixelsNear(sample, kRed) > 10; }))
        << "the sample shows the new normal colour at once";
    if (_wgetenv(L"TOLLIVOR_SCREENSHOTS")) {
      EXPECT_TRUE(saveScreenshot(dialog, L"settings-5-red"));
    }
    driver::click(driver::findControl(dialog, L"&OK"));
  });
  EXPECT_EQ(readSetting(L"Color_mouseExit"), (StoredValue{REG_SZ, L"255"}));
  EXPECT_EQ(readSetting(L"Color_mouseEnter"), (StoredValue{REG_SZ, L"-2147483628"}));
}

TEST_F(SettingsDialogTest, TheFileDialogChoosesTheBitmapAndTheSound) {
  const std::wstring bitmap = makeFile(L"bar.bmp");
  const std::wstring sound = makeFile(L"in.wav");
  show([&](HWND dialog, DWORD thread) {
    const auto all = pages(dialog);
    clickTab(tabStrip(dialog), 6);
    ASSERT_TRUE(waitForPage(dialog, 6));
    driver::click(driver::findControl(all[6], L"Use background picture."));
    HWND browse = driver::findControl(all[6], L"Browse...");
    ASSERT_TRUE(driver::waitFor([&] { return IsWindowEnabled(browse) != FALSE; }));
    driver::click(browse);
    HWND open = driver::waitForDialog(thread, dialog);
    ASSERT_NE(open, nullptr);
    chooseFile(open, bitmap);
    HWND path = FindWindowExW(all[6], nullptr, L"Edit", nullptr);
    EXPECT_TRUE(driver::waitFor([&] { return driver::windowText(path) == bitmap; }));
    if (_wgetenv(L"TOLLIVOR_SCREENSHOTS")) {
      moveMouseTo({0, 0});
      Sleep(200);  // let the tab under the pointer lose its highlight
      EXPECT_TRUE(saveScreenshot(dialog, L"settings-6-picture"));
    }

    clickTab(tabStrip(dialog), 8);
    ASSERT_TRUE(waitForPage(dialog, 8));
    driver::click(driver::findControl(all[8], L"Play a sound file when Tollivar is shown."));
    browse = driver::findControl(all[8], L"Browse...");
    ASSERT_TRUE(driver::waitFor([&] { return IsWindowEnabled(browse) != FALSE; }));
    driver::click(browse);
    open = driver::waitForDialog(thread, dialog);
    ASSERT_NE(open, nullptr);
    chooseFile(open, sound);
    path = FindWindowExW(all[8], nullptr, L"Edit", nullptr);
    EXPECT_TRUE(driver::waitFor([&] { return driver::windowText(path) == sound; }));
    driver::click(driver::findControl(dialog, L"&OK"));
  });
  EXPECT_EQ(readSetting(L"BackgroundPicture"), (StoredValue{REG_SZ, bitmap}));
  EXPECT_EQ(readSetting(L"Sound"), (StoredValue{REG_SZ, sound}));
}

// The pointer over the sample shows the mouse-over colour; over the tab
// strip it stays; over the page the normal colour comes back.
TEST_F(SettingsDialogTest, TheSampleTakesTheMouseOverColourUnderThePointer) {
  writeSetting(L"Color_mouseEnter", L"255");         // red
  writeSetting(L"Color_mouseExit", L"16711680");     // blue
  show([](HWND dialog, DWORD) {
    clickTab(tabStrip(dialog), 5);
    ASSERT_TRUE(waitForPage(dialog, 5));
    HWND sample = driver::findControl(dialog, L"Tollivar");
    HWND page = pages(dialog)[5];
    EXPECT_TRUE(driver::waitFor([&] { return pixelsNear(sample, kBlue) > 10; }));
    EXPECT_EQ(pixelsNear(sample, kRed), 0);

    moveMouseTo(centreOf(sample));
    EXPECT_TRUE(driver::waitFor([&] { return pixelsNear(sample, kRed) > 10; }));
    EXPECT_EQ(pixelsNear(sample, kBlue), 0);

    RECT strip{};
    GetWindowRect(tabStrip(dialog), &strip);
    moveMouseTo({strip.left + 4, strip.top + 4});  // the tab strip: no handler
    Sleep(200);
    EXPECT_GT(pixelsNear(sample, kRed), 10);

    RECT r{};
    GetWindowRect(page, &r);
    moveMouseTo({r.right - 10, r.bottom - 10});  // an empty corner of the page
    EXPECT_TRUE(driver::waitFor([&] { return pixelsNear(sample, kBlue) > 10; }));
    EXPECT_EQ(pixelsNear(sample, kRed), 0);
    driver::pressKey(dialog, VK_ESCAPE);
  });
}

}  // namespace
}  // namespace tollivor::test
