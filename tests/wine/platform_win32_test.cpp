// The Win32 forms platform with real windows: how a modal show treats the
// thread's other windows and ends, shared fonts, and what picture boxes keep.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/TestForm.h"
#include "driver.h"
#include "forms/win32/Win32Window.h"
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
  return win32::unique_hwnd(CreateWindowExW(0, L"STATIC", L"Other", WS_POPUP | style, 0, 0, 50, 50, 0, 0, 0, 0));
}

// While a form is shown the thread's other windows are disabled, and
// enabled again however the show ends: a key, the form hidden from another
// thread, or destroyed behind its back.
TEST(ModalShow, DisablesTheThreadsOtherWindowsUntilItEnds) {
  for (const char* end : {"Esc", "hidden from another thread", "destroyed"}) {
    SCOPED_TRACE(end);
    const auto shown = popup(WS_VISIBLE), hidden = popup(0), disabled = popup(WS_VISIBLE | WS_DISABLED);
    TestForm form;
    HWND window = windowOf(form).formWindow();
    form.onApply = [&] { DestroyWindow(window); };  // on the form's thread
    bool othersEnabled = true, formEnabled = false;
    driver::Watcher watcher([&](DWORD thread) {
      if (!driver::waitForWindow(thread, L"Tollivor Test Form")) return driver::closeAll(thread);
      othersEnabled = IsWindowEnabled(shown.get()) || IsWindowEnabled(hidden.get());
      formEnabled = IsWindowEnabled(window);
      if (end[0] == 'E') driver::pressKey(window, VK_ESCAPE);
      if (end[0] == 'h') ShowWindow(window, SW_HIDE);
      if (end[0] == 'd') driver::click(driver::controlWindow(window, form.table(), "cmdApply"));
    });
    EXPECT_TRUE(form.showModal());
    EXPECT_TRUE(!othersEnabled && formEnabled);
    EXPECT_TRUE(IsWindowEnabled(shown.get()) && IsWindowEnabled(hidden.get()));
    EXPECT_FALSE(IsWindowEnabled(disabled.get())) << "left as it was";
  }
}

// Controls of one face share one font object, which lives as long as the
// form; the settings dialog moves forty controls to one face. A combo box
// keeps the table's height in a new font.
TEST(FormWindow, ControlsOfOneFontShareOneFontObject) {
  TestForm form;
  const forms::Control lblName(form, "lblName"), cboKind(form, "cboKind");
  const HFONT formFont = fontOf(form, cboKind), arial = fontOf(form, form.txtName);  // rows ask for Arial
  ASSERT_NE(formFont, arial);
  EXPECT_EQ(std::pair(fontOf(form, lblName), fontOf(form, form.chkFlag)), std::pair(arial, formFont));
  ASSERT_TRUE(form.chkFlag.setFontName(u"Arial") && cboKind.setFontName(u"Courier New"));
  ASSERT_TRUE(form.cmdApply.setFontName(u"Courier New"));
  EXPECT_EQ(std::pair(fontOf(form, form.chkFlag), fontOf(form, form.cmdApply)), std::pair(arial, fontOf(form, cboKind)));
  EXPECT_STREQ(driver::fontOf(controlOf(form, cboKind)).lfFaceName, L"Courier New");
  RECT combo{};
  GetWindowRect(controlOf(form, cboKind), &combo);
  EXPECT_EQ(combo.bottom - combo.top, 315 / 15);
  // Back to the form's face: its own font again, and the others stay usable.
  ASSERT_TRUE(cboKind.setFontName(*form.cmdOK.fontName()));
  EXPECT_EQ(fontOf(form, cboKind), formFont);
  EXPECT_STREQ(driver::fontOf(controlOf(form, form.cmdApply)).lfFaceName, L"Courier New");
}

// The GDI objects the process holds: the used slots of the handle table the
// system shares with it (the 64-bit PEB's GdiSharedHandleTable; 24-byte
// slots, the object's type at byte 12).
int liveGdiObjects() {
  const auto currentPeb = reinterpret_cast<const BYTE*(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetCurrentPeb")));
  const auto* peb = currentPeb();
  const auto* table = *reinterpret_cast<const BYTE* const*>(peb + 0xF8);
  int live = 0;
  for (int i = 0; table && i < 16384; ++i) live += table[24 * i + 12] != 0;
  return table ? live : -1;
}

// Pictures load at their own size at the top left and stay while the form
// shows and hides; what is no picture leaves the box as it was; a clear
// paints the back colour, in a blank box too, whose first drawing takes its
// size then; no load, good or bad, keeps a GDI handle.
TEST(PictureBox, LoadsKeepsAndClears) {
  const std::wstring folder = test::tempFolder(L"tollivor-pictures");
  ASSERT_TRUE(test::writeIconFile(folder + L"large.ico", 32, kRed, kBlue) &&
              test::writeIconFile(folder + L"small.ico", 16, kBlue, kBlue) &&
              test::writeBitmapFile(folder + L"green.bmp", 8, 8, kGreen) &&
              test::writeTextFile(folder + L"text.ico", "no picture") && test::writeTextFile(folder + L"empty.ico", ""));
  TestForm form, blank;
  HWND box = controlOf(form, form.picPreview);
  const auto load = [&](const wchar_t* name) { return form.picPreview.loadPicture(win32::fromWide((folder + name).c_str())); };
  const auto at = [&](int x, int y) { return paintedPixel(box, x, y); };
  const COLORREF back = GetSysColor(COLOR_BTNFACE), green = RGB(0, 255, 0);
  EXPECT_EQ(at(10, 10), back) << "a new box shows its colour";
  ASSERT_TRUE(load(L"small.ico"));
  EXPECT_EQ(std::pair(at(14, 14), at(20, 20)), std::pair(kBlue, back)) << "not stretched";
  ASSERT_TRUE(load(L"green.bmp"));
  EXPECT_EQ(std::pair(at(1, 1), at(12, 12)), std::pair(kGreen, back)) << "the earlier picture is gone";
  const int before = liveGdiObjects();
  ASSERT_GT(before, 0) << "the handle table is not readable here";
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(load(L"large.ico") && load(L"green.bmp") && !load(L"text.ico"));
  EXPECT_EQ(liveGdiObjects(), before);
  ASSERT_TRUE(load(L"large.ico"));
  driver::showWhile([&] { form.showModal(); }, L"Tollivor Test Form", [](HWND w, DWORD) { driver::pressKey(w, VK_ESCAPE); });
  for (const wchar_t* name : {L"text.ico", L"empty.ico", L"missing.ico", L""}) {  // "": the folder
    EXPECT_FALSE(load(name));
    EXPECT_EQ(std::pair(at(2, 2), at(29, 29)), std::pair(kRed, kBlue)) << "kept";
  }
  EXPECT_FALSE(form.picPreview.loadPicture(u""));
  ASSERT_TRUE(form.picPreview.setBackColour(0x00FF00) && form.picPreview.clear());
  EXPECT_EQ(at(10, 10), green);
  box = controlOf(blank, blank.picPreview);
  ASSERT_TRUE(blank.picPreview.setBackColour(0x00FF00) && blank.picPreview.clear());
  EXPECT_EQ(at(5, 5), green) << "cleared before any drawing";
  ASSERT_TRUE(blank.picPreview.move({120, 120, 900, 900}));  // 60 pixels a side
  const win32::unique_hicon icon(
      static_cast<HICON>(LoadImageW(nullptr, (folder + L"large.ico").c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
  ASSERT_TRUE(blank.picPreview.drawIcon(28 * 15, 28 * 15, win32::fromIcon(icon.get())));
  EXPECT_EQ(std::pair(at(30, 59), at(20, 59)), std::pair(kRed, green));
}

}  // namespace
}  // namespace tollivor
