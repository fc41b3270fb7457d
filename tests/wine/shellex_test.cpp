// The shared routines on real Windows (Wine): file tests, shell icons, the
// stand-in helper libraries, and where those libraries are taken from.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/TestForm.h"
#include "component_support.h"
#include "driver.h"
#include "win32/Handles.h"
#include "win32/ThisModule.h"
#include "win32/Convert.h"
#include "shared/Mshared.h"
#include "shared/ShellEx.h"

namespace tollivor {
namespace {

std::wstring tempFolder() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return folder;
}

std::u16string u16(const std::wstring& text) { return win32::fromWide(text.c_str()); }

void touch(const std::wstring& file) {
  CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// Sets or clears a folder's read-only attribute. Wine keeps no such flag on
// folders, but reports it for a folder without write permission, which is
// then given on the Unix side.
void setFolderReadOnly(const std::wstring& folder, bool readOnly) {
  using ToUnix = char*(CDECL*)(LPCWSTR);
  const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* unixPath = toUnix ? toUnix(folder.c_str()) : nullptr;
  if (!unixPath) return;
  const std::string path(unixPath);
  HeapFree(GetProcessHeap(), 0, unixPath);
  test::runProgram(L"start.exe /wait /unix /bin/chmod " + std::wstring(readOnly ? L"555" : L"755") +
                      L" \"" + std::wstring(path.begin(), path.end()) + L"\"");
  // start may return before the Unix program has run.
  driver::waitFor([&] {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           ((attributes & FILE_ATTRIBUTE_READONLY) != 0) == readOnly;
  });
}

TEST(ShellFiles, FileExistsAndFileIconsOnAFileAPlainAndAReadOnlyFolder) {
  const std::wstring root = tempFolder() + L"tollivor-shellex\\";
  const std::wstring file = root + L"chord.wav", plain = root + L"plain", locked = root + L"locked";
  for (const std::wstring& folder : {root, plain, locked}) CreateDirectoryW(folder.c_str(), nullptr);
  touch(file);
  setFolderReadOnly(locked, true);
  ASSERT_EQ(GetFileAttributesW(locked.c_str()), 17u);

  EXPECT_TRUE(Mshared::FileExists(u16(file)));
  EXPECT_FALSE(Mshared::FileExists(u16(plain)));
  EXPECT_TRUE(Mshared::FileExists(u16(locked)));
  EXPECT_FALSE(Mshared::FileExists(u16(root + L"missing.wav")));
  EXPECT_FALSE(Mshared::FileExists(u""));
  for (const std::wstring& path : {file, plain, locked}) {
    const auto icon = ShellEx::GetFileIcon(u16(path));
    EXPECT_NE(icon, 0);
    forms::platform().destroyIcon(icon);
  }
  EXPECT_EQ(ShellEx::GetFileIcon(u16(root + L"missing.wav")), 0);
  EXPECT_EQ(ShellEx::GetFileIcon(u""), 0);

  setFolderReadOnly(locked, false);
  DeleteFileW(file.c_str());
  for (const std::wstring& folder : {locked, plain, root}) RemoveDirectoryW(folder.c_str());
}

TEST(SpecialIcons, EveryNumberInUseGivesAnIcon) {
  for (int number : {1, 2, 3, 5, 6, 8, 9, 10}) {
    const auto icon = ShellEx::GetSpecialIcon(number);
    const win32::unique_hicon copy(CopyIcon(win32::toIcon(icon)));  // only a live icon copies
    EXPECT_TRUE(copy) << number;
    forms::platform().destroyIcon(icon);
  }
  for (int number : {0, 4, 7, 11, -1}) EXPECT_EQ(ShellEx::GetSpecialIcon(number), 0) << number;
}

TEST(CursorPlacement, TheFormIsCentredOnTheRealCursor) {
  SetCursorPos(400, 300);
  test::TestForm form;
  RECT r{};
  driver::Watcher watcher([&](DWORD thread) {
    HWND window = driver::waitForWindow(thread, L"Tollivor Test Form");
    if (!window) return driver::closeAll(thread);
    GetWindowRect(window, &r);
    driver::closeWindow(window);
  });
  Mshared::ShowFormAtCursor(form);
  EXPECT_LE(std::abs((r.left + r.right) / 2 - 400), 1);
  EXPECT_LE(std::abs((r.top + r.bottom) / 2 - 300), 1);
}

// Runs ChooseFolder while a watcher selects `select` in the browse dialog
// and presses OK, or cancels when it is empty.
TEST(FolderChooser, TheChosenFolderComesBackAsItsFullPathAndCancelGivesEmpty) {
  const std::wstring folder = L"C:\\tollivor-choose";
  CreateDirectoryW(folder.c_str(), nullptr);
  test::TestForm form;
  for (const std::wstring& select : {folder, std::wstring()}) {
    HWND owner = nullptr;
    bool promptShown = false;
    std::u16string chosen;
    {
      driver::Watcher watcher([&](DWORD thread) {
        HWND dialog = driver::waitForDialog(thread);
        if (!dialog) return driver::closeAll(thread);
        owner = GetWindow(dialog, GW_OWNER);
        promptShown = driver::findControl(dialog, L"Choose a folder.") != nullptr;
        if (!select.empty())
          SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(select.c_str()));
        PostMessageW(dialog, WM_COMMAND, select.empty() ? IDCANCEL : IDOK, 0);
      });
      chosen = ShellEx::ChooseFolder(form.handle(), u"Choose a folder.");
    }
    EXPECT_EQ(_wcsicmp(win32::wide(chosen), select.c_str()), 0) << std::wstring(win32::wide(chosen));
    EXPECT_EQ(owner, reinterpret_cast<HWND>(form.handle()));
    EXPECT_TRUE(promptShown);
  }
  RemoveDirectoryW(folder.c_str());
}

// The helper libraries are looked for beside the program only, so these
// checks run in a copy of this program alone in a folder: started with this
// test as its filter and the case in kCaseVariable, the copy makes the
// checks for that case and leaves a file "ran" beside itself.
constexpr wchar_t kCaseVariable[] = L"TOLLIVOR_ISOLATED_CASE";

void checkInTheCopy(const std::wstring& sysgate) {
  if (sysgate == L"beside") {
    const auto icon = ShellEx::GetSpecialIcon(5);
    EXPECT_NE(icon, 0);
    forms::platform().destroyIcon(icon);
  } else if (sysgate == L"current directory") {
    ASSERT_NE(GetFileAttributesW(L"Sysgate.dll"), INVALID_FILE_ATTRIBUTES);  // they are there
    ASSERT_NE(GetFileAttributesW(L"Pathwise.dll"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ShellEx::GetSpecialIcon(5), 0);
    EXPECT_EQ(ShellEx::ChooseFolder(0, u"Choose a folder."), u"");
    EXPECT_EQ(GetModuleHandleW(L"Sysgate.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"Pathwise.dll"), nullptr);
  } else {
    // Absent, swapped (each file holds the other library, so the function
    // looked for is not exported), or not a library at all.
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
}

TEST(HelperSearch, OnlyLibrariesBesideTheProgramAreUsed) {
  const std::wstring programFolder = win32::folderOf(win32::modulePath(nullptr));
  wchar_t sysgate[32] = {};
  if (GetEnvironmentVariableW(kCaseVariable, sysgate, 32)) {
    checkInTheCopy(sysgate);
    touch(programFolder + L"ran");
    return;
  }
  const std::wstring alone = tempFolder() + L"tollivor-alone\\";
  const std::wstring elsewhere = tempFolder() + L"tollivor-elsewhere\\";
  CreateDirectoryW(alone.c_str(), nullptr);
  CreateDirectoryW(elsewhere.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(win32::modulePath(nullptr).c_str(), (alone + L"wine_tests.exe").c_str(), FALSE));
  const wchar_t* const helpers[] = {L"Sysgate.dll", L"Pathwise.dll"};
  const struct {
    const wchar_t* sysgate;
    std::wstring folder;
    int source = 0;  // copies helpers[(i + source) % 2] as helpers[i]; -1: a text file instead
  } cases[] = {{L"absent", L""},
               {L"beside", alone},
               {L"current directory", elsewhere},
               {L"swapped", alone, 1},
               {L"not a library", alone, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::wstring(c.sysgate));
    for (int i = 0; i < 2 && !c.folder.empty(); ++i) {
      if (c.source < 0) {
        touch(c.folder + helpers[i]);
      } else {
        CopyFileW((programFolder + helpers[(i + c.source) % 2]).c_str(),
                  (c.folder + helpers[i]).c_str(), FALSE);
      }
    }
    SetEnvironmentVariableW(kCaseVariable, c.sysgate);
    EXPECT_EQ(test::runProgram(L"\"" + alone + L"wine_tests.exe\" --gtest_filter=HelperSearch.*",
                                  elsewhere.c_str()),
              0u);
    SetEnvironmentVariableW(kCaseVariable, nullptr);
    EXPECT_TRUE(DeleteFileW((alone + L"ran").c_str())) << "the copy made its checks";
    if (!c.folder.empty())
      for (const wchar_t* helper : helpers) DeleteFileW((c.folder + helper).c_str());
  }
  DeleteFileW((alone + L"wine_tests.exe").c_str());
  RemoveDirectoryW(alone.c_str());
  RemoveDirectoryW(elsewhere.c_str());
}

}  // namespace
}  // namespace tollivor
