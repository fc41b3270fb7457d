// The Win32 platform's system services: common dialogs, message boxes, the
// settings store, files, icons and ANSI text. (Where the helper libraries
// are loaded from is tested with the shell routines that use them.)
#include <windows.h>

#include <gtest/gtest.h>

#include "driver.h"
#include "platform/forms.h"
#include "platform/win32/CommonDialogs.h"
#include "platform/win32/SettingsStore.h"
#include "platform/win32/handles.h"
#include "platform/win32/text.h"

namespace tollivor {
namespace {

using namespace std::string_literals;

forms::Platform& services() { return forms::platform(); }

// The found window; on a timeout the test fails and every show ends.
HWND require(HWND found, DWORD thread, const char* what) {
  if (!found) {
    ADD_FAILURE() << what;
    driver::closeAll(thread);
  }
  return found;
}

std::wstring tempFolder() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return folder;
}

// --- common dialogs ------------------------------------------------------------

TEST(CommonDialogs, FilterBarsBecomeTheNulSeparatedList) {
  EXPECT_EQ(win32::openFileFilter(u"All Files (*.*)|*.*|Executable Files (*.exe)|*.exe|"),
            u"All Files (*.*)\0*.*\0Executable Files (*.exe)\0*.exe\0\0"s);
  // A list without its last bar ends the same way.
  EXPECT_EQ(win32::openFileFilter(u"Bitmap Files (*.bmp)|*.bmp"), u"Bitmap Files (*.bmp)\0*.bmp\0\0"s);
  EXPECT_EQ(win32::openFileFilter(u""), u"");
}

TEST(CommonDialogs, OpenTakesTitleFilterAndFolderAndReturnsTheChoice) {
  const std::wstring folder = tempFolder() + L"tollivor-open";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring file = folder + L"\\chosen.txt";
  CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

  forms::CommonDialogSettings dialog;
  dialog.title = u"Browse File...";
  dialog.filter = u"All Files (*.*)|*.*|Executable Files (*.exe)|*.exe|";
  dialog.flags = 4100;
  dialog.initDir = win32::fromWide(folder.c_str());
  std::wstring firstFilter;
  driver::Watcher watcher([&](DWORD thread) {
    HWND box = require(driver::waitForWindow(thread, L"Browse File..."), thread, "no open dialog");
    if (!box) return;
    // The file types list (cmb1) and the file name box (cmb13 or edt1).
    HWND types = GetDlgItem(box, 0x470);
    wchar_t entry[64] = {};
    SendMessageW(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(entry));
    firstFilter = entry;
    HWND name = GetDlgItem(box, 0x47C) ? GetDlgItem(box, 0x47C) : GetDlgItem(box, 0x480);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"chosen.txt"));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(services().showOpen(0, dialog));
  EXPECT_EQ(firstFilter, L"All Files (*.*)");
  EXPECT_EQ(_wcsicmp(win32::wide(dialog.fileName), file.c_str()), 0)
      << std::wstring(win32::wide(dialog.fileName));
  DeleteFileW(file.c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST(CommonDialogs, CancelReportsAFailureAndKeepsTheSettings) {
  forms::CommonDialogSettings dialog;
  dialog.title = u"Browse File...";
  dialog.fileName = u"C:\\before.txt";
  dialog.colour = 0x123456;
  driver::Watcher openWatcher([](DWORD thread) {
    HWND box = require(driver::waitForWindow(thread, L"Browse File..."), thread, "no open dialog");
    if (!box) return;
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(services().showOpen(0, dialog));
  EXPECT_EQ(dialog.fileName, u"C:\\before.txt");

  driver::Watcher colourWatcher([](DWORD thread) {
    HWND box = require(driver::waitForDialog(thread), thread, "no colour dialog");
    if (!box) return;
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(services().showColour(0, dialog));
  EXPECT_EQ(dialog.colour, 0x123456);
}

TEST(CommonDialogs, ColourStartsFromTheSettingsColourWithSystemColoursResolved) {
  forms::CommonDialogSettings dialog;
  dialog.colour = forms::systemColour(COLOR_HIGHLIGHT);
  driver::Watcher watcher([](DWORD thread) {
    HWND box = require(driver::waitForDialog(thread), thread, "no colour dialog");
    if (!box) return;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(services().showColour(0, dialog));
  EXPECT_EQ(dialog.colour, static_cast<forms::Colour>(GetSysColor(COLOR_HIGHLIGHT)));
}

// --- message box ---------------------------------------------------------------

TEST(MessageBoxes, ShowsPromptAndTitleAndReturnsOnceDismissed) {
  const std::u16string prompt =
      u"Specified file/directory/item does not exist. Enter a valid file/directory/item name. ";
  std::wstring text, title;
  driver::Watcher watcher([&](DWORD thread) {
    HWND box = require(driver::waitForMessageBox(thread), thread, "no message box");
    if (!box) return;
    text = driver::messageBoxText(box);
    title = driver::windowText(box);
    driver::closeMessageBox(box);
  });
  EXPECT_TRUE(services().messageBox(0, prompt, forms::kMbInformation, u"C:\\missing"));
  EXPECT_EQ(text, win32::wide(prompt));
  EXPECT_EQ(title, L"C:\\missing");
}

// --- settings store ------------------------------------------------------------

class SettingsStore : public ::testing::Test {
 protected:
  const std::u16string app = u"Tollivor Test " + win32::fromWide(std::to_wstring(GetCurrentProcessId()).c_str());
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER,
                   (L"Software\\VB and VBA Program Settings\\" + std::wstring(win32::wide(app))).c_str());
  }
};

TEST_F(SettingsStore, WritesStringValuesUnderTheProgramSettingsKeyAndReadsThemBack) {
  EXPECT_EQ(services().readSetting(app, u"Setting", u"Speed"), std::nullopt);
  ASSERT_TRUE(services().writeSetting(app, u"Setting", u"Speed", u"Fast"));
  ASSERT_TRUE(services().writeSetting(app, u"Setting", u"Empty", u""));
  EXPECT_EQ(services().readSetting(app, u"Setting", u"Speed"), u"Fast");
  EXPECT_EQ(services().readSetting(app, u"Setting", u"Empty"), u"");
  EXPECT_EQ(services().readSetting(app, u"Setting", u"Missing"), std::nullopt);
  EXPECT_EQ(services().readSetting(app, u"Other", u"Speed"), std::nullopt);

  ASSERT_TRUE(services().writeSetting(app, u"Setting", u"Speed", u"-2147483633"));
  EXPECT_EQ(services().readSetting(app, u"Setting", u"Speed"), u"-2147483633");

  // Where the host bar reads it: a REG_SZ value.
  win32::unique_hkey key;
  const std::u16string path = u"Software\\VB and VBA Program Settings\\" + app + u"\\Setting";
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, win32::wide(path), 0, KEY_READ, key.put()),
            ERROR_SUCCESS);
  wchar_t value[32] = {};
  DWORD type = 0, bytes = sizeof value;
  ASSERT_EQ(RegQueryValueExW(key.get(), L"Speed", nullptr, &type, reinterpret_cast<BYTE*>(value),
                             &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_STREQ(value, L"-2147483633");
}

TEST_F(SettingsStore, ANonStringValueCountsAsMissing) {
  ASSERT_TRUE(services().writeSetting(app, u"Setting", u"Speed", u"1"));
  win32::unique_hkey key;
  const std::u16string path = u"Software\\VB and VBA Program Settings\\" + app + u"\\Setting";
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, win32::wide(path), 0, KEY_SET_VALUE, key.put()),
            ERROR_SUCCESS);
  const DWORD number = 7;
  RegSetValueExW(key.get(), L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                 sizeof number);
  EXPECT_EQ(services().readSetting(app, u"Setting", u"Number"), std::nullopt);
}

// --- files and icons -----------------------------------------------------------

TEST(Files, AttributesOfAFolderAndOfAMissingPath) {
  const auto windows = services().fileAttributes(u"C:\\windows");
  ASSERT_TRUE(windows);
  EXPECT_TRUE(*windows & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(services().fileAttributes(u"C:\\no such folder\\x"), std::nullopt);
}

TEST(Icons, TheShellGivesAnIconExactlyForExistingPaths) {
  const forms::IconHandle folder = services().shellFileIcon("C:\\windows");
  EXPECT_NE(folder, 0);
  ICONINFO info{};
  EXPECT_TRUE(GetIconInfo(win32::toIcon(folder), &info));  // the handle survived 32 bits
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  services().destroyIcon(folder);
  EXPECT_EQ(services().shellFileIcon("C:\\no such folder\\x.exe"), 0);
  EXPECT_EQ(services().shellFileIcon(""), 0);
  services().destroyIcon(0);  // does nothing
}

// --- text and screen -------------------------------------------------------------

TEST(Text, AnsiConversionKeepsEveryCharacterNulsIncluded) {
  const std::u16string text = u"C:\\Tools\0edit.exe"s;
  const std::string ansi = services().toAnsi(text);
  EXPECT_EQ(ansi, "C:\\Tools\0edit.exe"s);
  EXPECT_EQ(services().fromAnsi(ansi), text);
  EXPECT_EQ(services().toAnsi(u""), "");
}

TEST(Screen, SizeInTwipsAndCursorInPixels) {
  const auto screen = services().screenTwips();
  ASSERT_TRUE(screen);
  EXPECT_EQ(screen->x, GetSystemMetrics(SM_CXSCREEN) * 15);
  EXPECT_EQ(screen->y, GetSystemMetrics(SM_CYSCREEN) * 15);
  POINT p{};
  ASSERT_TRUE(GetCursorPos(&p));
  const auto cursor = services().cursorPixels();
  ASSERT_TRUE(cursor);
  EXPECT_EQ(cursor->x, p.x);
  EXPECT_EQ(cursor->y, p.y);
}

}  // namespace
}  // namespace tollivor
