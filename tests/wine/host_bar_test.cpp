// The sample bar as its user meets it: its entries file, edits through the
// real dialogs, and the settings store applied to the bar.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <sstream>
#include <string>

#include "driver.h"
#include "host/Bar.h"
#include "host/Launch.h"
#include "item/ShellLocations.h"
#include "host/core/Entries.h"
#include "item/frmProperty.h"
#include "settings/frmSettingEx.h"
#include "settings_support.h"
#include "win32/Convert.h"

namespace tollivor::test {
namespace {

using host::Record;

// Runs the thread's messages for a while (the bar lives on the test's thread).
void pump(int ms = 200) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  } while (GetTickCount() < end);
}

bool pumpUntil(const std::function<bool()>& condition, int ms = driver::kTimeoutMs) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  while (!condition()) {
    if (GetTickCount() > end) return false;
    pump(20);
  }
  return true;
}

// Pixels of the bar's label whose colour is exactly `colour`.
int labelPixels(HWND bar, COLORREF colour) {
  RECT label = host::BarLabelRect();
  MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&label), 2);
  HDC screen = GetDC(nullptr);
  int count = 0;
  for (int y = label.top; y < label.bottom; ++y)
    for (int x = label.left; x < label.right; ++x) count += GetPixel(screen, x, y) == colour;
  ReleaseDC(nullptr, screen);
  return count;
}

int toolCount(HWND bar) {
  return static_cast<int>(SendMessageW(host::BarTooltips(bar), TTM_GETTOOLCOUNT, 0, 0));
}

class HostBar : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }

  void SetUp() override {
    clearSettings();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"tollivor-bar";
    CreateDirectoryW(folder.c_str(), nullptr);
    path = folder + L"\\entries.txt";
    DeleteFileW(path.c_str());
  }
  void TearDown() override {
    if (IsWindow(bar)) DestroyWindow(bar);
    pump(50);
    clearSettings();
  }

  void writeFile(const std::string& text) {
    std::ofstream(std::string(path.begin(), path.end()), std::ios::binary) << text;
  }
  std::string readFile() {
    std::ifstream in(std::string(path.begin(), path.end()), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::vector<Record> fileRecords() { return host::ParseEntries(readFile()).records; }

  void open() {
    bar = host::CreateBar(GetModuleHandleW(nullptr),
                          {.entriesPath = path, .playSound = false, .quitOnClose = false});
    ASSERT_NE(bar, nullptr);
    pump();
  }

  // Sends a menu command to the bar while the steps work the dialog it opens.
  void command(UINT id, const wchar_t* caption, const std::function<void(HWND dialog)>& steps) {
    driver::Watcher watcher([&](DWORD thread) {
      HWND dialog = driver::waitForWindow(thread, caption);
      if (!dialog) return driver::closeAll(thread);
      steps(dialog);
      if (!driver::waitFor([&] { return !IsWindowVisible(dialog); }, 3000)) {
        ADD_FAILURE() << "the dialog was still open after the steps";
        driver::closeAll(thread);
      }
    });
    SendMessageW(bar, WM_COMMAND, id, 0);
  }

  std::wstring folder, path;
  HWND bar = nullptr;
};

int clientHeightFor(size_t entries) {
  const RECT last = host::BarEntryRect(static_cast<int>(entries) - 1);
  return last.bottom + 2 + 4;
}

TEST_F(HostBar, MissingFileIsMadeWithTheDefaults) {
  open();
  const auto records = fileRecords();
  ASSERT_EQ(records.size(), host::DefaultEntries(u"").size());
  EXPECT_EQ(records.front(), host::DefaultEntries(u"").front());
  EXPECT_TRUE(host::IsGroupRecord(records.back()));
  RECT client;
  GetClientRect(bar, &client);
  EXPECT_EQ(client.bottom, clientHeightFor(records.size())) << "one button per entry";
  EXPECT_EQ(toolCount(bar), static_cast<int>(records.size()));
}

TEST_F(HostBar, DamagedLinesAreSkippedAndReportedOnce) {
  const std::string text = "My Computer|mc\njunk\nC:\\windows|win\ngroup|no icon separator\n";
  writeFile(text);
  // Every message box the bar shows in its first seconds is counted and closed.
  std::wstring report;
  int boxes = 0;
  {
    driver::Watcher watcher([&](DWORD thread) {
      const DWORD end = GetTickCount() + 2500;
      while (GetTickCount() < end) {
        HWND box = driver::waitForMessageBox(thread, 200);
        if (!box) continue;
        ++boxes;
        if (report.empty()) report = driver::messageBoxText(box);
        driver::closeMessageBox(box);
        driver::waitFor([&] { return !IsWindow(box); });
      }
      // Boxes shown one inside another cannot all be closed one by one.
      if (driver::waitForMessageBox(thread, 100)) {
        ++boxes;
        driver::closeAll(thread);
      }
    });
    open();
    pump(3000);
  }
  EXPECT_EQ(boxes, 1) << "reported once";
  EXPECT_NE(report.find(L"lines 2, 4)"), std::wstring::npos) << std::string(report.begin(), report.end());
  EXPECT_EQ(toolCount(bar), 2) << "the two good lines are the bar's entries";
  RECT client;
  GetClientRect(bar, &client);
  EXPECT_EQ(client.bottom, clientHeightFor(2));
  EXPECT_EQ(readFile(), text) << "reading never writes";
}

TEST_F(HostBar, UnreadableFileGivesAnEmptyBar) {
  CreateDirectoryW(path.c_str(), nullptr);  // a folder where the file should be
  open();
  EXPECT_EQ(toolCount(bar), 0);
  EXPECT_TRUE(IsWindowVisible(bar));
  DestroyWindow(bar);
  RemoveDirectoryW(path.c_str());
}

TEST_F(HostBar, ItemEditedInTheDialogIsSavedToTheFile) {
  writeFile("My Computer|mc\nRecycle Bin|rb\n");
  open();
  static const forms::FormTable table = frmPropertyTable();
  command(host::kCmdPropertiesFirst + 1, L"Item Property", [&](HWND dialog) {
    HWND tip = driver::controlWindow(dialog, table, "Text2");
    EXPECT_EQ(driver::windowText(tip), L"rb");
    HWND target = FindWindowExW(driver::controlWindow(dialog, table, "Text1"), nullptr, L"Edit", nullptr);
    PostMessageW(target, EM_SETSEL, 0, -1);
    for (wchar_t c : folder) PostMessageW(target, WM_CHAR, c, 1);
    PostMessageW(tip, EM_SETSEL, 0, -1);
    for (wchar_t c : std::wstring(L"Temp")) PostMessageW(tip, WM_CHAR, c, 1);
    driver::waitFor([&] { return driver::windowText(tip) == L"Temp"; });
    driver::click(driver::controlWindow(dialog, table, "cmdOK"));
  });
  const std::vector<Record> expected = {u"My Computer|mc", win32::fromWide(folder.c_str()) + u"|Temp"};
  EXPECT_EQ(fileRecords(), expected);

  // Cancel gives nothing back, and the entry stays as it was.
  command(host::kCmdPropertiesFirst + 0, L"Item Property",
          [&](HWND dialog) { driver::click(driver::controlWindow(dialog, table, "cmdCancel")); });
  EXPECT_EQ(fileRecords(), expected);
}

TEST_F(HostBar, LabelTakesBothColoursUnderTheMouse) {
  writeFile("My Computer|mc\n");
  writeSetting(L"Color_mouseExit", L"255");         // red
  writeSetting(L"Color_mouseEnter", L"16711680");   // blue
  constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
  moveMouseTo({600, 600});
  open();
  EXPECT_TRUE(pumpUntil([&] { return labelPixels(bar, kRed) > 10; }));
  EXPECT_EQ(labelPixels(bar, kBlue), 0);

  RECT label = host::BarLabelRect();
  MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&label), 2);
  moveMouseTo({(label.left + label.right) / 2, (label.top + label.bottom) / 2});
  EXPECT_TRUE(pumpUntil([&] { return labelPixels(bar, kBlue) > 10; })) << "the mouse-over colour";
  EXPECT_EQ(labelPixels(bar, kRed), 0);

  moveMouseTo({600, 600});
  EXPECT_TRUE(pumpUntil([&] { return labelPixels(bar, kRed) > 10; })) << "back when the mouse leaves";
}

TEST_F(HostBar, SystemColoursAreResolved) {
  writeFile("My Computer|mc\n");
  moveMouseTo({600, 600});
  open();  // the defaults: system colour 21, the 3-D dark shadow
  EXPECT_TRUE(pumpUntil([&] { return labelPixels(bar, GetSysColor(COLOR_3DDKSHADOW)) > 10; }));
}

TEST_F(HostBar, TooltipsFollowTheSettingsEdit) {
  writeFile("My Computer|mc\nRecycle Bin|rb\nC:\\windows|\n");
  open();
  EXPECT_EQ(toolCount(bar), 2) << "entries with a tooltip";
  command(host::kCmdSettings, L"Tollivar Property", [](HWND dialog) {
    driver::click(driver::findControl(dialog, L"Do not display tooltips"));
    driver::click(driver::findControl(dialog, L"&OK"));
  });
  EXPECT_EQ(readSetting(L"ShowTip")->text, L"no");
  EXPECT_EQ(toolCount(bar), 0);
}

TEST_F(HostBar, TooltipsOffAtStart) {
  writeFile("My Computer|mc\n");
  writeSetting(L"ShowTip", L"no");
  open();
  EXPECT_EQ(toolCount(bar), 0);
}

}  // namespace
}  // namespace tollivor::test

namespace tollivor::test {
namespace {

// Every special item the dialogs know opens a shell folder of its own.
TEST(HostLaunch, EverySpecialItemHasItsShellFolder) {
  std::vector<int> folders;
  for (const auto& special : kSpecialItems) {
    SCOPED_TRACE(std::string(special.name.begin(), special.name.end()));
    const int folder = host::SpecialFolderOf(std::u16string(special.name));
    EXPECT_GE(folder, 0);
    for (int seen : folders) EXPECT_NE(seen, folder);
    folders.push_back(folder);
  }
  EXPECT_EQ(host::SpecialFolderOf(u"my computer"), -1) << "names are compared exactly";
  EXPECT_FALSE(host::LaunchItem(nullptr, u"C:\\no\\such\\file.exe"));
}

}  // namespace
}  // namespace tollivor::test
