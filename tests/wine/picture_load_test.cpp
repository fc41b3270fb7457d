// Pictures loaded from files into a real picture box: icons at their own
// size, bitmaps, and files that are no picture, which change nothing.
#include <windows.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <string>

#include "common/TestForm.h"
#include "forms/win32/Win32Window.h"
#include "pictures.h"
#include "win32/Convert.h"

namespace tollivor {
namespace {

using test::paintedPixel;
using test::TestForm;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);

std::u16string u16(const std::wstring& text) { return {text.begin(), text.end()}; }

class PictureLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"tollivor-pictures";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(test::writeIconFile(folder + L"\\large.ico", 32, kRed, kBlue));
    ASSERT_TRUE(test::writeIconFile(folder + L"\\small.ico", 16, kBlue, kBlue));
    ASSERT_TRUE(test::writeBitmapFile(folder + L"\\green.bmp", 8, 8, kGreen));
    ASSERT_TRUE(test::writeTextFile(folder + L"\\text.ico", "no picture in here"));
    ASSERT_TRUE(test::writeTextFile(folder + L"\\empty.ico", ""));
    preview = dynamic_cast<win32::Win32Window&>(*form.window()).controlWindow(form.picPreview.id());
    ASSERT_NE(preview, nullptr);
  }

  bool load(const std::wstring& name) {
    return form.picPreview.loadPicture(u16(folder + L"\\" + name));
  }
  COLORREF at(int x, int y) { return paintedPixel(preview, x, y); }

  std::wstring folder;
  TestForm form;
  HWND preview = nullptr;
  const COLORREF back = GetSysColor(COLOR_BTNFACE);
};

TEST_F(PictureLoad, PicturesAreDrawnAtTheirOwnSizeAtTheTopLeft) {
  ASSERT_TRUE(load(L"large.ico"));
  EXPECT_EQ(at(2, 2), kRed);
  EXPECT_EQ(at(29, 29), kBlue);

  ASSERT_TRUE(load(L"small.ico"));
  EXPECT_EQ(at(2, 2), kBlue);
  EXPECT_EQ(at(14, 14), kBlue);
  EXPECT_EQ(at(20, 20), back) << "not stretched, and the earlier picture is gone";

  ASSERT_TRUE(load(L"green.bmp"));
  EXPECT_EQ(at(1, 1), kGreen);
  EXPECT_EQ(at(12, 12), back);
}

TEST_F(PictureLoad, WhatIsNoPictureLeavesThePreviewAsItWas) {
  ASSERT_TRUE(load(L"large.ico"));
  // The empty name makes the path of the folder itself.
  for (const wchar_t* name : {L"text.ico", L"empty.ico", L"missing.ico", L""}) {
    SCOPED_TRACE(std::string(name, name + wcslen(name)));
    EXPECT_FALSE(load(name));
    EXPECT_EQ(at(2, 2), kRed);
    EXPECT_EQ(at(29, 29), kBlue);
  }
  EXPECT_FALSE(form.picPreview.loadPicture(u"")) << "no path at all";
  EXPECT_EQ(at(2, 2), kRed);
}

// The GDI objects the process holds: the entries in use in the handle table
// that the system shares with the process through its PEB. (An icon holds
// its images as GDI bitmaps, so a kept icon shows here too.)
int liveGdiObjects() {
  struct Entry {  // one slot of the table, as the system lays it out
    UINT64 object;
    ULONG owner;
    UCHAR type;
    UCHAR extType;
    UCHAR generation;
    UCHAR reserved;
    UINT64 userData;
  };
  static_assert(sizeof(Entry) == 24);
#ifdef _WIN64
  constexpr size_t kTableOffset = 0xF8;
#else
  constexpr size_t kTableOffset = 0x94;
#endif
  using Query = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION process{};
  if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &process, sizeof process,
                      nullptr) != 0)
    return -1;
  const auto* peb = reinterpret_cast<const BYTE*>(process.PebBaseAddress);
  const auto* table = *reinterpret_cast<const Entry* const*>(peb + kTableOffset);
  if (!table) return -1;
  int live = 0;
  for (int i = 0; i < 16384; ++i) live += table[i].type != 0;
  return live;
}

// Each load gives back every handle it took, whether it succeeded or not.
TEST_F(PictureLoad, RepeatedLoadsKeepNoHandles) {
  load(L"large.ico");  // the first loads may set up what the system keeps
  load(L"green.bmp");
  load(L"text.ico");
  const int before = liveGdiObjects();
  ASSERT_GT(before, 0) << "the handle table is not readable here";
  for (int i = 0; i < 50; ++i) {
    ASSERT_TRUE(load(L"large.ico"));
    ASSERT_TRUE(load(L"green.bmp"));
    ASSERT_FALSE(load(L"text.ico"));
  }
  EXPECT_EQ(liveGdiObjects(), before);
}

}  // namespace
}  // namespace tollivor
