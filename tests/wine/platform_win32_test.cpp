// The Win32 forms platform with real windows: how a modal show treats the
// thread's other windows and ends, shared fonts, and what picture boxes keep.
#include <windows.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <atomic>

#include "common/TestForm.h"
#include "driver.h"
#include "forms/win32/Win32Window.h"
#include "pictures.h"
#include "win32/Convert.h"
#include "win32/Handles.h"

namespace tollivor {
namespace {

using test::paintedPixel;
using test::TestForm;
constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 160, 0);

win32::Win32Window& windowOf(TestForm& form) { return dynamic_cast<win32::Win32Window&>(*form.window()); }
HWND controlOf(TestForm& form, const forms::Control& c) { return windowOf(form).controlWindow(c.id()); }
HFONT fontOf(TestForm& form, const forms::Control& c) {
  return reinterpret_cast<HFONT>(SendMessageW(controlOf(form, c), WM_GETFONT, 0, 0));
}
win32::unique_hwnd popup(DWORD style) {
  return win32::unique_hwnd(CreateWindowExW(0, L"STATIC", L"Other", WS_POPUP | style, 0, 0, 50, 50,
                                            nullptr, nullptr, nullptr, nullptr));
}

TEST(ModalShow, DisablesTheThreadsOtherWindowsMeanwhile) {
  const auto shown = popup(WS_VISIBLE), hidden = popup(0), disabled = popup(WS_VISIBLE | WS_DISABLED);
  TestForm form;
  bool shownEnabled = true, hiddenEnabled = true, formEnabled = false;
  driver::showWhile([&] { form.showModal(); }, L"Tollivor Test Form", [&](HWND window, DWORD) {
    shownEnabled = IsWindowEnabled(shown.get());
    hiddenEnabled = IsWindowEnabled(hidden.get());
    formEnabled = IsWindowEnabled(window);
    driver::pressKey(window, VK_ESCAPE);
  });
  EXPECT_FALSE(shownEnabled || hiddenEnabled);
  EXPECT_TRUE(formEnabled);
  EXPECT_TRUE(IsWindowEnabled(shown.get()) && IsWindowEnabled(hidden.get()));
  EXPECT_FALSE(IsWindowEnabled(disabled.get())) << "left as it was";
}

// A show also ends when the form is hidden or destroyed behind its back; the
// thread's other windows are enabled again all the same.
TEST(ModalShow, EndsWhenTheFormIsHiddenFromAnotherThreadOrDestroyed) {
  for (bool destroy : {false, true}) {
    SCOPED_TRACE(destroy ? "destroyed" : "hidden from another thread");
    const auto other = popup(WS_VISIBLE);
    TestForm form;
    HWND window = windowOf(form).formWindow();
    form.onApply = [&] { DestroyWindow(window); };  // on the form's thread
    std::atomic<bool> returned{false};
    driver::Watcher watcher([&](DWORD thread) {
      HWND shown = driver::waitForWindow(thread, L"Tollivor Test Form");
      if (!shown) return driver::closeAll(thread);
      if (destroy) driver::click(driver::controlWindow(shown, form.table(), "cmdApply"));
      else ShowWindow(shown, SW_HIDE);
      if (!driver::waitFor([&] { return returned.load(); }, 3000)) {
        ADD_FAILURE() << "the show did not notice";
        PostMessageW(shown, WM_NULL, 0, 0);  // let it end all the same
      }
    });
    EXPECT_TRUE(form.showModal());
    returned = true;
    EXPECT_TRUE(IsWindowEnabled(other.get()));
  }
}

// Controls of one face share one font object, which lives as long as the
// form; the settings dialog moves forty controls to one face.
TEST(FormWindow, ControlsOfOneFontShareOneFontObject) {
  TestForm form;
  const forms::Control lblName(form, "lblName"), cboKind(form, "cboKind");
  const HFONT formFont = fontOf(form, cboKind), arial = fontOf(form, form.txtName);  // rows ask for Arial
  ASSERT_NE(formFont, arial);
  EXPECT_EQ(fontOf(form, lblName), arial);
  EXPECT_EQ(fontOf(form, form.chkFlag), formFont);
  ASSERT_TRUE(form.chkFlag.setFontName(u"Arial"));
  EXPECT_EQ(fontOf(form, form.chkFlag), arial);
  ASSERT_TRUE(cboKind.setFontName(u"Courier New"));
  ASSERT_TRUE(form.cmdApply.setFontName(u"Courier New"));
  const HFONT courier = fontOf(form, cboKind);
  EXPECT_EQ(fontOf(form, form.cmdApply), courier);
  LOGFONTW face{};
  ASSERT_TRUE(GetObjectW(courier, sizeof face, &face));
  EXPECT_STREQ(face.lfFaceName, L"Courier New");
  // Back to the form's face: its own font again, and the others stay usable.
  ASSERT_TRUE(cboKind.setFontName(*form.cmdOK.fontName()));
  EXPECT_EQ(fontOf(form, cboKind), formFont);
  EXPECT_TRUE(GetObjectW(fontOf(form, form.cmdApply), sizeof face, &face));
}

// A box shows its clear colour until drawn into, keeps its drawing while
// hidden, and a drawing made after it grew reaches its new edges.
TEST(PictureBox, KeepsItsDrawingAndItsBlankColour) {
  const std::wstring icon = test::tempFolder(L"tollivor-pictures") + L"red.ico";
  ASSERT_TRUE(test::writeIconFile(icon, 32, kRed, kRed));
  TestForm form;
  HWND box = controlOf(form, form.picPreview);
  EXPECT_EQ(paintedPixel(box, 10, 10), GetSysColor(COLOR_BTNFACE)) << "a new box shows its colour";
  ASSERT_TRUE(form.picPreview.loadPicture(win32::fromWide(icon.c_str())));
  driver::showWhile([&] { form.showModal(); }, L"Tollivor Test Form",
                    [](HWND w, DWORD) { driver::pressKey(w, VK_ESCAPE); });
  EXPECT_EQ(paintedPixel(box, 10, 10), kRed);
  ASSERT_TRUE(form.picPreview.setBackColour(0x00FF00));
  ASSERT_TRUE(form.picPreview.clear());
  EXPECT_EQ(paintedPixel(box, 10, 10), RGB(0, 255, 0));
  TestForm blank;
  box = controlOf(blank, blank.picPreview);
  ASSERT_TRUE(blank.picPreview.setBackColour(0x00FF00));
  ASSERT_TRUE(blank.picPreview.clear());
  EXPECT_EQ(paintedPixel(box, 5, 5), RGB(0, 255, 0)) << "cleared before any drawing";
  ASSERT_TRUE(blank.picPreview.move({120, 120, 900, 900}));  // 60 pixels a side
  const win32::unique_hicon red(
      static_cast<HICON>(LoadImageW(nullptr, icon.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
  ASSERT_TRUE(blank.picPreview.drawIcon(28 * 15, 28 * 15, win32::fromIcon(red.get())));
  EXPECT_EQ(paintedPixel(box, 59, 59), kRed);
  EXPECT_EQ(paintedPixel(box, 20, 59), RGB(0, 255, 0));
}

// The GDI objects the process holds: the entries in use in the handle table
// that the system shares with the process through its PEB.
int liveGdiObjects() {
  struct Entry {  // one slot of the table, as the system lays it out
    UINT64 object;
    ULONG owner;
    UCHAR type, extType, generation, reserved;
    UINT64 userData;
  };
  using Query = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION process{};
  if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &process, sizeof process, nullptr))
    return -1;
  const auto* table = *reinterpret_cast<const Entry* const*>(
      reinterpret_cast<const BYTE*>(process.PebBaseAddress) + 0xF8);  // the 64-bit PEB's GdiSharedHandleTable
  int live = 0;
  for (int i = 0; table && i < 16384; ++i) live += table[i].type != 0;
  return table ? live : -1;
}

// Pictures load at their own size at the top left; what is no picture
// leaves the box as it was; no load, good or bad, keeps a handle.
TEST(LoadPicture, OwnSizeNothingForNoPictureAndNoHandleKept) {
  const std::wstring folder = test::tempFolder(L"tollivor-pictures");
  ASSERT_TRUE(test::writeIconFile(folder + L"large.ico", 32, kRed, kBlue));
  ASSERT_TRUE(test::writeIconFile(folder + L"small.ico", 16, kBlue, kBlue));
  ASSERT_TRUE(test::writeBitmapFile(folder + L"green.bmp", 8, 8, kGreen));
  ASSERT_TRUE(test::writeTextFile(folder + L"text.ico", "no picture in here"));
  ASSERT_TRUE(test::writeTextFile(folder + L"empty.ico", ""));
  TestForm form;
  HWND box = controlOf(form, form.picPreview);
  const auto load = [&](const std::wstring& name) {
    return form.picPreview.loadPicture(win32::fromWide((folder + name).c_str()));
  };
  const COLORREF back = GetSysColor(COLOR_BTNFACE);
  ASSERT_TRUE(load(L"small.ico"));
  EXPECT_EQ(paintedPixel(box, 14, 14), kBlue);
  EXPECT_EQ(paintedPixel(box, 20, 20), back) << "not stretched";
  ASSERT_TRUE(load(L"green.bmp"));
  EXPECT_EQ(paintedPixel(box, 1, 1), kGreen);
  EXPECT_EQ(paintedPixel(box, 12, 12), back) << "the earlier picture is gone";
  ASSERT_TRUE(load(L"large.ico"));
  for (const wchar_t* name : {L"text.ico", L"empty.ico", L"missing.ico", L""}) {  // "": the folder
    EXPECT_FALSE(load(name));
    EXPECT_EQ(std::make_pair(paintedPixel(box, 2, 2), paintedPixel(box, 29, 29)), std::make_pair(kRed, kBlue));
  }
  EXPECT_FALSE(form.picPreview.loadPicture(u"")) << "no path at all";
  const int before = liveGdiObjects();
  ASSERT_GT(before, 0) << "the handle table is not readable here";
  for (int i = 0; i < 50; ++i)
    ASSERT_TRUE(load(L"large.ico") && load(L"green.bmp") && !load(L"text.ico"));
  EXPECT_EQ(liveGdiObjects(), before);
}

}  // namespace
}  // namespace tollivor
