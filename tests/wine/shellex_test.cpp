// The shared routines on real Windows (Wine): files and their shell icons,
// the stand-in helper libraries, where those libraries are taken from, and
// the folder chooser.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "common/TestForm.h"
#include "component_support.h"
#include "driver.h"
#include "pictures.h"
#include "shared/Mshared.h"
#include "shared/ShellEx.h"
#include "win32/Convert.h"
#include "win32/Handles.h"
#include "win32/ThisModule.h"

namespace tollivor {
namespace {

std::u16string u16(const std::wstring& text) { return win32::fromWide(text.c_str()); }
void touch(const std::wstring& file) { test::writeTextFile(file, ""); }
// Only a live icon copies.
bool isIcon(forms::IconHandle icon) { return static_cast<bool>(win32::unique_hicon(CopyIcon(win32::toIcon(icon)))); }

TEST(ShellFiles, FilesFoldersAndSpecialItemsHaveIcons) {
  const std::wstring root = test::tempFolder(L"tollivor-shellex"), file = root + L"chord.wav";
  touch(file);
  EXPECT_TRUE(Mshared::FileExists(u16(file)));
  EXPECT_FALSE(Mshared::FileExists(u16(root)));
  EXPECT_FALSE(Mshared::FileExists(u16(root + L"missing.wav")));
  for (const std::wstring& path : {file, root}) {
    const auto icon = ShellEx::GetFileIcon(u16(path));
    EXPECT_TRUE(isIcon(icon));
    forms::platform().destroyIcon(icon);
  }
  EXPECT_EQ(ShellEx::GetFileIcon(u16(root + L"missing.wav")), 0);
  for (int number : {1, 2, 3, 5, 6, 8, 9, 10}) {
    const auto icon = ShellEx::GetSpecialIcon(number);
    EXPECT_TRUE(isIcon(icon)) << number;
    forms::platform().destroyIcon(icon);
  }
  for (int number : {0, 4, 7, 11, -1}) EXPECT_EQ(ShellEx::GetSpecialIcon(number), 0) << number;
}

// The chosen folder comes back as its full path, Cancel gives "", and the
// browser is owned by the form and shows the prompt.
TEST(FolderChooser, ChosenFolderOrEmpty) {
  const std::wstring folder = L"C:\\tollivor-choose";
  CreateDirectoryW(folder.c_str(), nullptr);
  test::TestForm form;
  for (const std::wstring& select : {folder, std::wstring()}) {
    std::u16string chosen;
    driver::Watcher watcher([&](DWORD thread) {
      HWND dialog = driver::waitForDialog(thread);
      if (!dialog) return driver::closeAll(thread);
      EXPECT_EQ(GetWindow(dialog, GW_OWNER), reinterpret_cast<HWND>(form.handle()));
      EXPECT_NE(driver::findControl(dialog, L"Choose a folder."), nullptr);
      if (!select.empty()) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(select.c_str()));
      driver::dialogCommand(dialog, select.empty() ? IDCANCEL : IDOK);
    });
    chosen = ShellEx::ChooseFolder(form.handle(), u"Choose a folder.");
    EXPECT_EQ(_wcsicmp(win32::wide(chosen), select.c_str()), 0) << std::wstring(win32::wide(chosen));
  }
}

// The helper libraries are looked for beside the program only, so these
// checks run in a copy of this program alone in a folder: started with this
// test as its filter and the case in the variable, the copy makes the
// checks for that case and leaves a file "ran" beside itself.
constexpr wchar_t kCaseVariable[] = L"TOLLIVOR_ISOLATED_CASE";

void checkInTheCopy(const std::wstring& sysgate) {
  if (sysgate == L"beside") {
    const auto icon = ShellEx::GetSpecialIcon(5);
    EXPECT_TRUE(isIcon(icon));
    return forms::platform().destroyIcon(icon);
  }
  // Absent, swapped (each file holds the other library, so the function
  // looked for is not exported), not a library, or where they are not taken from.
  EXPECT_EQ(ShellEx::GetSpecialIcon(5), 0);
  driver::Watcher watcher([](DWORD thread) {
    if (HWND dialog = driver::waitForDialog(thread, nullptr, 1000)) {
      ADD_FAILURE() << "a folder browser was shown";
      driver::dialogCommand(dialog, IDCANCEL);
    }
  });
  EXPECT_EQ(ShellEx::ChooseFolder(0, u"Choose a folder."), u"");
  if (sysgate != L"current directory") return;
  EXPECT_NE(GetFileAttributesW(L"Sysgate.dll"), INVALID_FILE_ATTRIBUTES) << "they are there";
  EXPECT_EQ(GetModuleHandleW(L"Sysgate.dll"), nullptr);
  EXPECT_EQ(GetModuleHandleW(L"Pathwise.dll"), nullptr);
}

TEST(HelperSearch, OnlyLibrariesBesideTheProgramAreUsed) {
  const std::wstring programFolder = win32::folderOf(win32::modulePath(nullptr));
  wchar_t sysgate[32] = {};
  if (GetEnvironmentVariableW(kCaseVariable, sysgate, 32)) {
    checkInTheCopy(sysgate);
    return touch(programFolder + L"ran");
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
      if (c.source < 0) touch(c.folder + helpers[i]);
      else CopyFileW((programFolder + helpers[(i + c.source) % 2]).c_str(), (c.folder + helpers[i]).c_str(), FALSE);
    }
    SetEnvironmentVariableW(kCaseVariable, c.sysgate);
    EXPECT_EQ(test::runProgram(L"\"" + alone + L"wine_tests.exe\" --gtest_filter=HelperSearch.*", elsewhere.c_str()), 0u);
    SetEnvironmentVariableW(kCaseVariable, nullptr);
    EXPECT_TRUE(DeleteFileW((alone + L"ran").c_str())) << "the copy made its checks";
    for (const wchar_t* helper : helpers)
      if (!c.folder.empty()) DeleteFileW((c.folder + helper).c_str());
  }
}

}  // namespace
}  // namespace tollivor
