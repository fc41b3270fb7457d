// The shared routines on real Windows (Wine): file tests, shell icons, the
// stand-in helper libraries, and where those libraries are taken from.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/TestForm.h"
#include "driver.h"
#include "platform/win32/module.h"
#include "platform/win32/text.h"
#include "shared/Mshared.h"
#include "shared/ShellEx.h"

namespace tollivor {
namespace {

using win32::fromWide;

std::wstring tempFolder() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return folder;
}

std::u16string u16(const std::wstring& text) { return fromWide(text.c_str()); }

// The size of an icon's image, or 0 x 0 when the handle is not a live icon.
SIZE iconSize(forms::IconHandle icon) {
  ICONINFO info{};
  if (!GetIconInfo(win32::toIcon(icon), &info)) return {0, 0};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

bool isLiveIcon(forms::IconHandle icon) { return iconSize(icon).cx != 0; }

// The colour of one pixel of the icon drawn on white.
COLORREF iconPixel(forms::IconHandle icon, int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const RECT all{0, 0, 32, 32};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawIcon(dc, 0, 0, win32::toIcon(icon));
  const COLORREF pixel = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixel;
}

// Runs a command line and waits for it; true when it ended with 0.
bool runAndWait(std::wstring command) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  DWORD code = 1;
  if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code == 0;
}

// Sets or clears a folder's read-only attribute. Wine keeps no such flag on
// folders, but reports it for a folder without write permission, which is
// then given on the Unix side.
void setFolderReadOnly(const std::wstring& folder, bool readOnly) {
  SetFileAttributesW(folder.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
  using ToUnix = char*(CDECL*)(LPCWSTR);
  const auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return;
  char* unixPath = toUnix(folder.c_str());
  if (!unixPath) return;
  const std::string path(unixPath);
  HeapFree(GetProcessHeap(), 0, unixPath);
  runAndWait(L"start.exe /wait /unix /bin/chmod " + std::wstring(readOnly ? L"555" : L"755") + L" \"" +
             std::wstring(path.begin(), path.end()) + L"\"");
  // start may return before the Unix program has run.
  driver::waitFor([&] {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           ((attributes & FILE_ATTRIBUTE_READONLY) != 0) == readOnly;
  });
}

// A scratch folder with a file, a plain folder and a read-only folder.
class ScratchFiles : public ::testing::Test {
 protected:
  const std::wstring root = tempFolder() + L"tollivor-shellex\\";
  const std::wstring file = root + L"chord.wav";
  const std::wstring plain = root + L"plain";
  const std::wstring readOnly = root + L"locked";

  void SetUp() override {
    CreateDirectoryW(root.c_str(), nullptr);
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    CreateDirectoryW(plain.c_str(), nullptr);
    CreateDirectoryW(readOnly.c_str(), nullptr);
    setFolderReadOnly(readOnly, true);
  }
  void TearDown() override {
    setFolderReadOnly(readOnly, false);
    RemoveDirectoryW(readOnly.c_str());
    RemoveDirectoryW(plain.c_str());
    DeleteFileW(file.c_str());
    RemoveDirectoryW(root.c_str());
  }
};

TEST_F(ScratchFiles, FileExistsRefusesOnlyPlainFoldersAndFailedReads) {
  ASSERT_EQ(GetFileAttributesW(plain.c_str()), 16u);
  ASSERT_EQ(GetFileAttributesW(readOnly.c_str()), 17u);
  EXPECT_TRUE(Mshared::FileExists(u16(file)));
  EXPECT_FALSE(Mshared::FileExists(u16(plain)));
  EXPECT_TRUE(Mshared::FileExists(u16(readOnly)));
  EXPECT_FALSE(Mshared::FileExists(u16(root + L"missing.wav")));
  EXPECT_FALSE(Mshared::FileExists(u""));
}

TEST_F(ScratchFiles, FileIconsExactlyForExistingFilesAndFolders) {
  for (const std::wstring& path : {file, plain, readOnly}) {
    const auto icon = ShellEx::GetFileIcon(u16(path));
    EXPECT_NE(icon, 0);
    EXPECT_TRUE(isLiveIcon(icon));
    forms::platform().destroyIcon(icon);
  }
  EXPECT_EQ(ShellEx::GetFileIcon(u16(root + L"missing.wav")), 0);
  EXPECT_EQ(ShellEx::GetFileIcon(u""), 0);
}

TEST(SpecialIcons, EveryNumberInUseGivesALargeIcon) {
  for (int number : {1, 2, 3, 5, 6, 8, 9, 10}) {
    const auto icon = ShellEx::GetSpecialIcon(number);
    ASSERT_NE(icon, 0) << number;
    const SIZE size = iconSize(icon);
    EXPECT_EQ(size.cx, 32) << number;
    EXPECT_EQ(size.cy, 32) << number;
    forms::platform().destroyIcon(icon);
  }
  for (int number : {0, 4, 7, 11, -1}) EXPECT_EQ(ShellEx::GetSpecialIcon(number), 0) << number;
}

TEST(SpecialIcons, TheGroupIconIsOurOwnImage) {
  const auto icon = ShellEx::GetSpecialIcon(10);
  ASSERT_NE(icon, 0);
  EXPECT_EQ(iconPixel(icon, 15, 18), RGB(0x4F, 0x86, 0xC6));  // the front card
  EXPECT_EQ(iconPixel(icon, 0, 0), RGB(0xFF, 0xFF, 0xFF));    // transparent corner
  forms::platform().destroyIcon(icon);
}

TEST(SpecialIcons, DrawingIntoAPreviewReleasesTheIconOnce) {
  testing::TestForm form;
  const auto special = ShellEx::GetSpecialIcon(5);
  ASSERT_TRUE(isLiveIcon(special));
  ShellEx::DrawIconInPreview(form.picPreview, special);
  EXPECT_FALSE(isLiveIcon(special));

  const auto picked = ShellEx::GetSpecialIcon(3);
  ASSERT_TRUE(isLiveIcon(picked));
  ShellEx::DrawPickedIcon(form.picPreview, picked);
  EXPECT_FALSE(isLiveIcon(picked));

  ShellEx::DrawIconInPreview(form.picPreview, 0);  // nothing to draw or release
  ShellEx::DrawPickedIcon(form.picPreview, 0);
}

// --- placement at the cursor ---------------------------------------------------

// Shows the test form at the cursor and answers its window rectangle in
// pixels as shown.
RECT shownAtCursor(int x, int y) {
  SetCursorPos(x, y);
  testing::TestForm form;
  RECT shown{};
  driver::Watcher watcher([&](DWORD thread) {
    HWND window = driver::waitForWindow(thread, L"Tollivor Test Form");
    if (!window) {
      ADD_FAILURE() << "the form was not shown";
      driver::closeAll(thread);
      return;
    }
    GetWindowRect(window, &shown);
    driver::click(driver::findControl(window, L"&Cancel"));
  });
  Mshared::ShowFormAtCursor(form);
  return shown;
}

TEST(CursorPlacement, TheFormIsCentredOnTheRealCursor) {
  POINT cursor{};
  const RECT r = shownAtCursor(400, 300);
  ASSERT_TRUE(GetCursorPos(&cursor));
  ASSERT_EQ(cursor.x, 400);  // the display took the cursor position
  EXPECT_LE(std::abs((r.left + r.right) / 2 - 400), 1);
  EXPECT_LE(std::abs((r.top + r.bottom) / 2 - 300), 1);
}

TEST(CursorPlacement, NearTheCornerTheFormIsPulledInsideTheMargins) {
  const RECT r = shownAtCursor(0, 0);
  // Twips 210 or more across (500 without a task bar on that axis), 500 down
  // (or the task bar's margin); never past the edge.
  EXPECT_GE(r.left, 210 / 15);
  EXPECT_GE(r.top, 500 / 15 - 1);
  const RECT corner = shownAtCursor(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  EXPECT_LE(corner.right, GetSystemMetrics(SM_CXSCREEN) - 210 / 15);
  EXPECT_LE(corner.bottom, GetSystemMetrics(SM_CYSCREEN) - 500 / 15 + 1);
}

// --- the folder chooser ------------------------------------------------------

class FolderChooser : public ::testing::Test {
 protected:
  const std::wstring folder = L"C:\\tollivor-choose";
  testing::TestForm form;
  HWND owner = nullptr;
  bool promptShown = false;

  void SetUp() override { CreateDirectoryW(folder.c_str(), nullptr); }
  void TearDown() override { RemoveDirectoryW(folder.c_str()); }

  // Runs ChooseFolder while a watcher acts on the browse dialog: selects
  // `select` and presses OK, or cancels when it is empty.
  std::u16string choose(const std::wstring& select) {
    driver::Watcher watcher([&](DWORD thread) {
      HWND dialog = driver::waitForDialog(thread);
      if (!dialog) {
        ADD_FAILURE() << "no browse dialog";
        driver::closeAll(thread);
        return;
      }
      owner = GetWindow(dialog, GW_OWNER);
      promptShown = driver::findControl(dialog, L"Choose a folder.") != nullptr;
      if (select.empty()) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
      }
      SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(select.c_str()));
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    return ShellEx::ChooseFolder(form.handle(), u"Choose a folder.");
  }
};

TEST_F(FolderChooser, TheChosenFolderComesBackAsItsFullPath) {
  const std::u16string chosen = choose(folder);
  EXPECT_EQ(_wcsicmp(win32::wide(chosen), folder.c_str()), 0) << std::wstring(win32::wide(chosen));
  EXPECT_EQ(owner, reinterpret_cast<HWND>(form.handle()));
  EXPECT_TRUE(promptShown);
}

TEST_F(FolderChooser, CancelGivesEmpty) {
  EXPECT_EQ(choose(L""), u"");
  EXPECT_TRUE(promptShown);
}

// --- helper libraries missing or planted ---------------------------------------
//
// The libraries are looked for beside the program, so these cases run in a
// copy of this program in a folder of its own: the test starts the copy
// with its own name as the filter, and the copy, seeing the variable below,
// makes the checks.

constexpr wchar_t kIsolatedVariable[] = L"TOLLIVOR_ISOLATED_RUN";

bool runningIsolated() { return GetEnvironmentVariableW(kIsolatedVariable, nullptr, 0) != 0; }

std::wstring currentTestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = std::string(info->test_suite_name()) + "." + info->name();
  return std::wstring(name.begin(), name.end());
}

// A copy of this program alone in a folder, with the given libraries beside it.
class HelperSearch : public ::testing::Test {
 protected:
  const std::wstring programFolder = win32::folderOf(win32::modulePath(nullptr));
  const std::wstring alone = tempFolder() + L"tollivor-alone\\";
  const std::wstring elsewhere = tempFolder() + L"tollivor-elsewhere\\";
  const std::wstring marker = alone + L"ran";

  void SetUp() override {
    if (runningIsolated()) return;
    CreateDirectoryW(alone.c_str(), nullptr);
    CreateDirectoryW(elsewhere.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(win32::modulePath(nullptr).c_str(), (alone + L"wine_tests.exe").c_str(), FALSE));
  }
  void TearDown() override {
    if (runningIsolated()) return;
    for (const std::wstring& folder : {alone, elsewhere}) {
      for (const wchar_t* name : {L"wine_tests.exe", L"Sysgate.dll", L"Pathwise.dll", L"ran"})
        DeleteFileW((folder + name).c_str());
      RemoveDirectoryW(folder.c_str());
    }
  }

  void copyLibrary(const wchar_t* name, const std::wstring& folder) {
    ASSERT_TRUE(CopyFileW((programFolder + name).c_str(), (folder + name).c_str(), FALSE)) << name;
  }

  // Runs this test in the copy, from `workingFolder`; true when it ran and passed.
  bool runCopy(const std::wstring& workingFolder) {
    DeleteFileW(marker.c_str());
    std::wstring command = L"\"" + alone + L"wine_tests.exe\" --gtest_filter=" + currentTestName();
    SetEnvironmentVariableW(kIsolatedVariable, marker.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        workingFolder.c_str(), &startup, &process);
    SetEnvironmentVariableW(kIsolatedVariable, nullptr);
    if (!started) return false;
    DWORD code = 1;
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
      ADD_FAILURE() << "the copy did not end";
      TerminateProcess(process.hProcess, 1);
    } else {
      GetExitCodeProcess(process.hProcess, &code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code == 0 && GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  // In the copy: records that the checks ran.
  static void markRun() {
    wchar_t path[MAX_PATH] = {};
    GetEnvironmentVariableW(kIsolatedVariable, path, MAX_PATH);
    CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
};

TEST_F(HelperSearch, WithoutTheLibrariesThereIsNoIconAndNoFolder) {
  if (!runningIsolated()) {
    EXPECT_TRUE(runCopy(alone));
    return;
  }
  markRun();
  EXPECT_EQ(ShellEx::GetSpecialIcon(5), 0);
  EXPECT_EQ(ShellEx::GetSpecialIcon(10), 0);
  driver::Watcher watcher([](DWORD thread) {
    if (HWND dialog = driver::waitForDialog(thread, nullptr, 1000)) {
      ADD_FAILURE() << "a folder browser was shown";
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
  });
  EXPECT_EQ(ShellEx::ChooseFolder(0, u"Choose a folder."), u"");
}

TEST_F(HelperSearch, LibrariesBesideTheProgramAreUsed) {
  if (!runningIsolated()) {
    copyLibrary(L"Sysgate.dll", alone);
    EXPECT_TRUE(runCopy(elsewhere));
    return;
  }
  markRun();
  const auto icon = ShellEx::GetSpecialIcon(5);
  EXPECT_NE(icon, 0);
  forms::platform().destroyIcon(icon);
}

TEST_F(HelperSearch, ASysgateOnlyInTheCurrentDirectoryIsNotLoaded) {
  if (!runningIsolated()) {
    copyLibrary(L"Sysgate.dll", elsewhere);
    EXPECT_TRUE(runCopy(elsewhere));
    return;
  }
  markRun();
  ASSERT_NE(GetFileAttributesW(L"Sysgate.dll"), INVALID_FILE_ATTRIBUTES);  // it is there
  EXPECT_EQ(ShellEx::GetSpecialIcon(5), 0);
  EXPECT_EQ(GetModuleHandleW(L"Sysgate.dll"), nullptr);
}

}  // namespace
}  // namespace tollivor
