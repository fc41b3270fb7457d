// The shared routines on real Windows (Wine): files and their shell icons,
// the stand-in helper libraries and where they are taken from, and the
// folder chooser.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "common/TestForm.h"
#include "component_support.h"
#include "driver.h"
#include "shared/Mshared.h"
#include "shared/ShellEx.h"
#include "win32/Convert.h"
#include "win32/Handles.h"
#include "win32/ThisModule.h"

namespace tollivor {
namespace {

std::u16string u16(const std::wstring& text) { return win32::fromWide(text.c_str()); }
// A live icon, which only copies if it is one; given back either way.
bool isIcon(forms::IconHandle icon) {
  const bool live = static_cast<bool>(win32::unique_hicon(CopyIcon(win32::toIcon(icon))));
  return forms::platform().destroyIcon(icon), live;
}

TEST(ShellFiles, FilesFoldersAndSpecialItemsHaveIcons) {
  const std::wstring root = test::tempFolder(L"tollivor-shellex"), file = root + L"chord.wav";
  ASSERT_TRUE(test::writeTextFile(file, ""));
  EXPECT_TRUE(Mshared::FileExists(u16(file)) && !Mshared::FileExists(u16(root)));
  EXPECT_FALSE(Mshared::FileExists(u16(root + L"missing.wav")));
  EXPECT_TRUE(isIcon(ShellEx::GetFileIcon(u16(file))) && isIcon(ShellEx::GetFileIcon(u16(root))));
  EXPECT_EQ(ShellEx::GetFileIcon(u16(root + L"missing.wav")), 0);
  for (int number : {1, 2, 3, 5, 6, 8, 9, 10}) EXPECT_TRUE(isIcon(ShellEx::GetSpecialIcon(number))) << number;
  for (int number : {0, 4, 7, 11, -1}) EXPECT_EQ(ShellEx::GetSpecialIcon(number), 0) << number;
}

// The chosen folder comes back as its full path, Cancel gives ""; the
// browser is owned by the form and shows the prompt.
TEST(FolderChooser, ChosenFolderOrEmpty) {
  const std::wstring folder = L"C:\\tollivor-choose";
  CreateDirectoryW(folder.c_str(), nullptr);
  test::TestForm form;
  for (const std::wstring& select : {folder, std::wstring()}) {
    driver::Watcher watcher([&](DWORD thread) {
      HWND dialog = driver::waitForDialog(thread);
      if (!dialog) return driver::closeAll(thread);
      EXPECT_EQ(GetWindow(dialog, GW_OWNER), reinterpret_cast<HWND>(form.handle()));
      EXPECT_NE(driver::findControl(dialog, L"Choose a folder."), nullptr);
      if (!select.empty()) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(select.c_str()));
      driver::dialogCommand(dialog, select.empty() ? IDCANCEL : IDOK);
    });
    const std::u16string chosen = ShellEx::ChooseFolder(form.handle(), u"Choose a folder.");
    EXPECT_EQ(_wcsicmp(win32::wide(chosen), select.c_str()), 0) << std::wstring(win32::wide(chosen));
  }
}

// The helper libraries are looked for beside the program only, so the
// checks run in a copy of this program alone in a folder: started with this
// test as its filter and the case in TOLLIVOR_ISOLATED_CASE, the copy makes
// the case's checks and leaves a file "ran" beside itself.
TEST(HelperSearch, OnlyLibrariesBesideTheProgramAreUsed) {
  const std::wstring programFolder = win32::folderOf(win32::modulePath(nullptr));
  wchar_t sysgate[32] = {};
  if (GetEnvironmentVariableW(L"TOLLIVOR_ISOLATED_CASE", sysgate, 32)) {
    const bool beside = std::wstring_view(sysgate) == L"beside";
    EXPECT_EQ(isIcon(ShellEx::GetSpecialIcon(5)), beside);
    if (std::wstring_view(sysgate) == L"current directory") {  // there, and not taken
      ASSERT_NE(GetFileAttributesW(L"Sysgate.dll"), INVALID_FILE_ATTRIBUTES);
      EXPECT_EQ(std::pair(GetModuleHandleW(L"Sysgate.dll"), GetModuleHandleW(L"Pathwise.dll")), std::pair(HMODULE{}, HMODULE{}));
    }
    driver::Watcher watcher([&](DWORD thread) {
      if (HWND dialog = driver::waitForDialog(thread, nullptr, 1000)) {
        EXPECT_TRUE(beside) << "a folder browser was shown";
        driver::dialogCommand(dialog, IDCANCEL);
      }
    });
    EXPECT_EQ(ShellEx::ChooseFolder(0, u"Choose a folder."), u"");
    return (void)test::writeTextFile(programFolder + L"ran", "");
  }
  const std::wstring alone = test::tempFolder(L"tollivor-alone"), elsewhere = test::tempFolder(L"tollivor-elsewhere");
  ASSERT_TRUE(CopyFileW(win32::modulePath(nullptr).c_str(), (alone + L"wine_tests.exe").c_str(), FALSE));
  const wchar_t* const helpers[] = {L"Sysgate.dll", L"Pathwise.dll"};
  const struct {
    const wchar_t* sysgate;
    std::wstring folder;
    int source = 0;  // copies helpers[(i + source) % 2] as helpers[i]; -1: a text file instead
  } cases[] = {{L"absent", L""}, {L"beside", alone}, {L"current directory", elsewhere},
               {L"swapped", alone, 1}, {L"not a library", alone, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::wstring(c.sysgate));
    for (int i = 0; i < 2 && !c.folder.empty(); ++i) {
      if (c.source < 0) test::writeTextFile(c.folder + helpers[i], "");
      else CopyFileW((programFolder + helpers[(i + c.source) % 2]).c_str(), (c.folder + helpers[i]).c_str(), FALSE);
    }
    SetEnvironmentVariableW(L"TOLLIVOR_ISOLATED_CASE", c.sysgate);
    EXPECT_EQ(test::runProgram(L"\"" + alone + L"wine_tests.exe\" --gtest_filter=HelperSearch.*", elsewhere.c_str()), 0u);
    SetEnvironmentVariableW(L"TOLLIVOR_ISOLATED_CASE", nullptr);
    EXPECT_TRUE(DeleteFileW((alone + L"ran").c_str())) << "the copy made its checks";
    for (int i = 0; i < 2 && !c.folder.empty(); ++i) DeleteFileW((c.folder + helpers[i]).c_str());
  }
}

}  // namespace
}  // namespace tollivor
