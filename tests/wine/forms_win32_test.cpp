// The Win32 forms platform with real windows: the modal show and how it
// ends, the keyboard, the window's frame and units, and the controls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>

#include "common/TestForm.h"
#include "driver.h"
#include "platform/win32/Win32Window.h"
#include "platform/win32/handles.h"
#include "platform/win32/text.h"

namespace tollivor {
namespace {

using forms::ControlRow;
using forms::Event;
using forms::Form;
using forms::FormTable;
using forms::Kind;
using testing::TestForm;
using win32::Win32Window;

constexpr wchar_t kCaption[] = L"Tollivor Test Form";

Win32Window& native(Form& form) {
  auto* window = dynamic_cast<Win32Window*>(form.window());
  if (!window) throw std::runtime_error("the form has no Win32 window");
  return *window;
}

HWND controlOf(Form& form, const forms::Control& control) {
  return native(form).controlWindow(control.id());
}

// A square icon of one colour, fully opaque.
win32::unique_hicon solidIcon(COLORREF colour, int size = 32) {
  std::vector<DWORD> pixels(static_cast<size_t>(size * size),
                            0xFF000000 | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) |
                                GetBValue(colour));
  win32::unique_hbitmap image(CreateBitmap(size, size, 1, 32, pixels.data()));
  std::vector<BYTE> opaque(static_cast<size_t>(size * size / 8), 0);
  win32::unique_hbitmap mask(CreateBitmap(size, size, 1, 1, opaque.data()));
  ICONINFO info{TRUE, 0, 0, mask.get(), image.get()};
  return win32::unique_hicon(CreateIconIndirect(&info));
}

// What a window paints into its client area, read back at one point.
COLORREF paintedPixel(HWND window, int x, int y) {
  HDC screen = GetDC(nullptr);
  win32::unique_hdc dc(CreateCompatibleDC(screen));
  win32::unique_hbitmap bitmap(CreateCompatibleBitmap(screen, 64, 64));
  ReleaseDC(nullptr, screen);
  win32::SelectScope select(dc.get(), bitmap.get());
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
  return GetPixel(dc.get(), x, y);
}

// The shown test form; on a timeout the test fails and every show ends.
HWND waitForTestForm(DWORD thread) {
  HWND shown = driver::waitForWindow(thread, kCaption);
  if (!shown) {
    ADD_FAILURE() << "the form was not shown";
    driver::closeAll(thread);
  }
  return shown;
}

ControlRow row(Kind kind, std::string name, int index, std::u16string caption, forms::Rect rect,
                std::string container = {}, int containerIndex = -1) {
  ControlRow c;
  c.kind = kind;
  c.name = std::move(name);
  c.index = index;
  c.caption = std::move(caption);
  c.rect = rect;
  c.container = std::move(container);
  c.containerIndex = containerIndex;
  return c;
}

// --- the modal show ----------------------------------------------------------

TEST(ModalShow, EndsWhenAHandlerHidesTheForm) {
  TestForm form;
  form.txtName.setText(u"typed");
  driver::Watcher watcher([](DWORD thread) {
    HWND shown = waitForTestForm(thread);
    if (!shown) return;
    driver::click(driver::findControl(shown, L"&OK"));
  });
  EXPECT_TRUE(form.showModal());
  EXPECT_EQ(form.resultText, u"typed");
  EXPECT_TRUE(form.isLoaded());
  EXPECT_FALSE(form.window()->isVisible());
}

TEST(ModalShow, EndsWhenAnotherThreadHidesTheForm) {
  TestForm form;
  std::atomic<bool> returned{false};
  driver::Watcher watcher([&](DWORD thread) {
    HWND shown = waitForTestForm(thread);
    if (!shown) return;
    ShowWindow(shown, SW_HIDE);
    if (!driver::waitFor([&] { return returned.load(); }, 3000)) {
      ADD_FAILURE() << "the show did not notice the hide";
      PostMessageW(shown, WM_NULL, 0, 0);  // let it end all the same
    }
  });
  EXPECT_TRUE(form.showModal());
  returned = true;
  EXPECT_TRUE(form.isLoaded());
}

TEST(ModalShow, CloseBoxUnloadsTheFormAndEndsTheShow) {
  TestForm form;
  form.txtName.setText(u"kept?");
  driver::Watcher watcher([](DWORD thread) {
    HWND shown = waitForTestForm(thread);
    if (!shown) return;
    driver::closeWindow(shown);
  });
  form.showModal();
  EXPECT_FALSE(form.isLoaded());
  // The next use loads it afresh.
  EXPECT_EQ(form.txtName.text(), u"");
  EXPECT_EQ(form.loads, 2);
}

TEST(ModalShow, DisablesTheThreadsOtherWindowsMeanwhile) {
  win32::unique_hwnd other(CreateWindowExW(0, L"STATIC", L"Other", WS_POPUP | WS_VISIBLE, 0, 0,
                                           50, 50, nullptr, nullptr, nullptr, nullptr));
  win32::unique_hwnd disabledBefore(CreateWindowExW(0, L"STATIC", L"Off",
                                                    WS_POPUP | WS_VISIBLE | WS_DISABLED, 60, 0,
                                                    50, 50, nullptr, nullptr, nullptr, nullptr));
  win32::unique_hwnd hidden(CreateWindowExW(0, L"STATIC", L"Hidden", WS_POPUP, 0, 60, 50, 50,
                                            nullptr, nullptr, nullptr, nullptr));
  TestForm form;
  bool otherEnabledDuringShow = true;
  bool hiddenEnabledDuringShow = true;
  bool formEnabledDuringShow = false;
  driver::Watcher watcher([&](DWORD thread) {
    HWND shown = waitForTestForm(thread);
    if (!shown) return;
    otherEnabledDuringShow = IsWindowEnabled(other.get());
    hiddenEnabledDuringShow = IsWindowEnabled(hidden.get());
    formEnabledDuringShow = IsWindowEnabled(shown);
    driver::click(driver::findControl(shown, L"&Cancel"));
  });
  form.showModal();
  EXPECT_FALSE(otherEnabledDuringShow);
  EXPECT_FALSE(hiddenEnabledDuringShow);
  EXPECT_TRUE(formEnabledDuringShow);
  EXPECT_TRUE(IsWindowEnabled(other.get()));
  EXPECT_TRUE(IsWindowEnabled(hidden.get()));
  EXPECT_FALSE(IsWindowEnabled(disabledBefore.get()));
}

// --- the keyboard ------------------------------------------------------------

TEST(Keyboard, FocusStartsOnTheFirstControlThatTakesIt) {
  TestForm form;
  HWND text = controlOf(form, form.txtName);
  HWND focused = nullptr;
  driver::Watcher watcher([&](DWORD thread) {
    HWND shown = waitForTestForm(thread);
    if (!shown) return;
    driver::waitFor([&] { return (focused = driver::focusOf(thread)) == text; });
    driver::click(driver::findControl(shown, L"&Cancel"));
  });
  form.showModal();
  EXPECT_EQ(focused, text);
}

TEST(Keyboard, EnterPressesTheDefaultButtonAndEscTheCancelButton) {
  TestForm form;
  form.txtName.setText(u"entered");
  driver::Watcher enter([](DWORD thread) {
    HWND shown = waitForTestForm(thread);
    if (!shown) return;
    driver::pressKey(shown, VK_RETURN);
  });
  form.showModal();
  EXPECT_EQ(form.resultText, u"entered");

  form.resultText.clear();
  driver::Watcher esc([](DWORD thread) {
    HWND shown = waitForTestForm(thread);
    if (!shown) return;
    driver::pressKey(shown, VK_ESCAPE);
  });
  form.showModal();
  EXPECT_EQ(form.resultText, u"");
  EXPECT_TRUE(form.isLoaded());
}

TEST(Keyboard, TabVisitsTheTableInOrderAndEnterPressesTheFocusedButton) {
  TestForm form;
  form.txtName.setText(u"not taken");
  HWND text = controlOf(form, form.txtName);
  const std::vector<HWND> expected{controlOf(form, form.chkFlag), controlOf(form, form.optChoice0),
                                   controlOf(form, form.cmdOK), controlOf(form, form.cmdCancel)};
  std::vector<HWND> visited;
  driver::Watcher watcher([&](DWORD thread) {
    HWND shown = waitForTestForm(thread);
    if (!shown) return;
    driver::waitFor([&] { return driver::focusOf(thread) == text; });
    for (HWND next : expected) {
      driver::pressKey(shown, VK_TAB);
      driver::waitFor([&] { return driver::focusOf(thread) == next; }, 1000);
      visited.push_back(driver::focusOf(thread));
    }
    driver::pressKey(shown, VK_RETURN);  // on Cancel
  });
  form.showModal();
  EXPECT_EQ(visited, expected);
  EXPECT_EQ(form.resultText, u"");
}

TEST(Keyboard, AccessKeysPressCheckBoxesAndLabelsLeadToTheirControl) {
  TestForm form;
  HWND text = controlOf(form, form.txtName);
  HWND focusAfterLabelKey = nullptr;
  driver::Watcher watcher([&](DWORD thread) {
    HWND shown = waitForTestForm(thread);
    if (!shown) return;
    driver::pressAccessKey(shown, L'f');  // &Flag: toggles and takes the focus
    driver::waitFor([&] { return driver::focusOf(thread) != text; }, 1000);
    driver::pressAccessKey(shown, L'n');  // &Name: the text box after the label
    driver::waitFor([&] { return driver::focusOf(thread) == text; }, 1000);
    focusAfterLabelKey = driver::focusOf(thread);
    driver::pressKey(shown, VK_ESCAPE);
  });
  form.showModal();
  EXPECT_EQ(form.flagClicks, 1);
  EXPECT_EQ(form.chkFlag.value(), 1);
  EXPECT_EQ(focusAfterLabelKey, text);
}

// --- the window --------------------------------------------------------------

TEST(FormWindow, HasAFixedDialogFrameAndNoTaskBarButtonOfItsOwn) {
  TestForm form;
  HWND window = native(form).formWindow();
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  HWND owner = GetWindow(window, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_FALSE(IsWindowVisible(owner));
  EXPECT_EQ(driver::windowText(window), kCaption);
}

TEST(FormWindow, TwipsAreFifteenToAPixel) {
  TestForm form;
  HWND window = native(form).formWindow();
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 3960 / 15);
  EXPECT_EQ(client.bottom, 2520 / 15);

  RECT text{};
  GetWindowRect(controlOf(form, form.txtName), &text);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&text), 2);
  EXPECT_EQ(text.left, 720 / 15);
  EXPECT_EQ(text.top, 360 / 15);
  EXPECT_EQ(text.right - text.left, 3135 / 15);
  EXPECT_EQ(text.bottom - text.top, 315 / 15);
  const auto rect = form.window()->controlRect(form.txtName.id());
  ASSERT_TRUE(rect);
  EXPECT_EQ(rect->left, 720);
  EXPECT_EQ(rect->width, 3135);

  ASSERT_TRUE(form.window()->moveTo(1500, 3000));
  RECT outer{};
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.left, 100);
  EXPECT_EQ(outer.top, 200);
  const auto bounds = form.window()->bounds();
  ASSERT_TRUE(bounds);
  EXPECT_EQ(bounds->left, 1500);
  EXPECT_EQ(bounds->top, 3000);
  EXPECT_EQ(bounds->width, (outer.right - outer.left) * 15);
  EXPECT_EQ(bounds->height, (outer.bottom - outer.top) * 15);
}

TEST(FormWindow, FocusCannotGoToAHiddenForm) {
  TestForm form;
  EXPECT_FALSE(form.txtName.setFocus());
  EXPECT_FALSE(form.lblName.setFocus());
}

// --- controls ----------------------------------------------------------------

TEST(PictureBox, KeepsWhatIsDrawnWhileHiddenUntilCleared) {
  TestForm form;
  HWND picture = controlOf(form, form.picPreview);
  const auto red = solidIcon(RGB(255, 0, 0));
  ASSERT_TRUE(form.picPreview.drawIcon(0, 0, win32::fromIcon(red.get())));
  EXPECT_EQ(paintedPixel(picture, 10, 10), RGB(255, 0, 0));

  driver::Watcher watcher([](DWORD thread) {
    HWND shown = waitForTestForm(thread);
    if (!shown) return;
    driver::click(driver::findControl(shown, L"&Cancel"));
  });
  form.showModal();
  EXPECT_EQ(paintedPixel(picture, 10, 10), RGB(255, 0, 0));

  EXPECT_FALSE(form.picPreview.drawIcon(0, 0, 0));
  EXPECT_FALSE(form.picPreview.loadPicture(u"C:\\no such folder\\none.ico"));
  EXPECT_EQ(paintedPixel(picture, 10, 10), RGB(255, 0, 0));

  ASSERT_TRUE(form.picPreview.clear());
  EXPECT_EQ(paintedPixel(picture, 10, 10), GetSysColor(COLOR_BTNFACE));
}

TEST(PictureBox, LoadsABitmapFile) {
  // An 8 x 8 bitmap, 24 bits, all blue.
  const int side = 8, rowBytes = side * 3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = side;
  info.biHeight = side;
  info.biPlanes = 1;
  info.biBitCount = 24;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + rowBytes * side;
  std::vector<BYTE> pixels(static_cast<size_t>(rowBytes * side), 0);
  for (size_t i = 0; i < pixels.size(); i += 3) pixels[i] = 0xFF;
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"tollivor-blue.bmp";
  {
    struct CloseFile {
      void operator()(HANDLE h) const { CloseHandle(h); }
    };
    win32::unique_any<HANDLE, CloseFile> out(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(out.get(), &file, sizeof file, &written, nullptr);
    WriteFile(out.get(), &info, sizeof info, &written, nullptr);
    WriteFile(out.get(), pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
  }
  TestForm form;
  EXPECT_TRUE(form.picPreview.loadPicture(win32::fromWide(path.c_str())));
  EXPECT_EQ(paintedPixel(controlOf(form, form.picPreview), 3, 3), RGB(0, 0, 255));
  EXPECT_EQ(paintedPixel(controlOf(form, form.picPreview), 20, 20), GetSysColor(COLOR_BTNFACE));
  DeleteFileW(path.c_str());
}

TEST(Controls, OptionsAreExclusiveWithinTheirContainerOnly) {
  FormTable table;
  table.caption = u"Options";
  table.clientWidth = 6000;
  table.clientHeight = 3000;
  table.controls = {
      row(Kind::PictureBox, "Page", 0, u"", {0, 0, 3000, 1500}),
      row(Kind::PictureBox, "Page", 1, u"", {3000, 0, 3000, 1500}),
      row(Kind::OptionButton, "optA", 0, u"A0", {120, 120, 1200, 255}, "Page", 0),
      row(Kind::OptionButton, "optA", 1, u"A1", {120, 480, 1200, 255}, "Page", 0),
      row(Kind::OptionButton, "optB", 0, u"B0", {120, 120, 1200, 255}, "Page", 1),
      row(Kind::OptionButton, "optB", 1, u"B1", {120, 480, 1200, 255}, "Page", 1),
  };
  Form form(table);
  int clicks = 0;
  form.on("optA", Event::Click, [&](int) { ++clicks; });
  forms::Control a0(form, "optA", 0), a1(form, "optA", 1), b0(form, "optB", 0), b1(form, "optB", 1);

  ASSERT_TRUE(a0.setValue(1));
  ASSERT_TRUE(b0.setValue(1));
  ASSERT_TRUE(a1.setValue(1));
  EXPECT_EQ(a0.value(), 0);
  EXPECT_EQ(a1.value(), 1);
  EXPECT_EQ(b0.value(), 1);
  EXPECT_EQ(clicks, 2);  // from code, through the portable form

  // The user's click selects as well, and only in its own page.
  SendMessageW(controlOf(form, a0), BM_CLICK, 0, 0);
  EXPECT_EQ(a0.value(), 1);
  EXPECT_EQ(a1.value(), 0);
  EXPECT_EQ(b0.value(), 1);
  EXPECT_EQ(clicks, 3);

  // Controls lie inside their page; Tab reaches only the selected option.
  EXPECT_EQ(GetParent(controlOf(form, b1)), controlOf(form, forms::Control(form, "Page", 1)));
  EXPECT_TRUE(GetWindowLongPtrW(controlOf(form, a0), GWL_STYLE) & WS_TABSTOP);
  EXPECT_FALSE(GetWindowLongPtrW(controlOf(form, a1), GWL_STYLE) & WS_TABSTOP);
}

TEST(Controls, PickingFromAComboListShowsTheEntryBeforeTheClick) {
  FormTable table;
  table.caption = u"Combo";
  table.clientWidth = 4000;
  table.clientHeight = 2000;
  table.controls = {row(Kind::ComboBox, "Text1", -1, u"", {120, 120, 3000, 330})};
  Form form(table);
  forms::Control combo(form, "Text1");
  std::u16string seen;
  form.on("Text1", Event::Click, [&](int) { seen = combo.text(); });
  ASSERT_TRUE(combo.addItem(u"My Computer"));
  ASSERT_TRUE(combo.addItem(u"Recycle Bin"));
  EXPECT_EQ(form.window()->items(combo.id()),
            (std::vector<std::u16string>{u"My Computer", u"Recycle Bin"}));

  // The down arrow in the edit line picks the next entry, as a user would.
  HWND edit = GetWindow(controlOf(form, combo), GW_CHILD);
  ASSERT_NE(edit, nullptr);
  SendMessageW(edit, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(seen, u"My Computer");

  RECT r{};
  GetWindowRect(controlOf(form, combo), &r);
  EXPECT_EQ(r.bottom - r.top, 330 / 15);  // the closed box, as the table says
}

TEST(Controls, TabStripHasItsRowsAndReportsTheUsersChoice) {
  FormTable table;
  table.caption = u"Tabs";
  table.clientWidth = 4815;
  table.clientHeight = 3120;
  ControlRow tabs = row(Kind::TabStrip, "SSTab1", -1, u"", {120, 120, 4575, 2415});
  tabs.tabs = {u"Behavior", u"Speed ", u"Tooltip ", u"Direction ", u"Smart Slide ",
               u"Colors ", u"Picture ", u"Appearence ", u"Sound ", u"Group "};
  tabs.tabsPerRow = 5;
  tabs.font = forms::Font{u"Tahoma", 8.25, false};
  table.controls = {tabs};
  Form form(table);
  forms::Control strip(form, "SSTab1");
  int clicks = 0;
  form.on("SSTab1", Event::Click, [&](int) { ++clicks; });
  HWND window = controlOf(form, strip);
  EXPECT_EQ(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0), 10);
  EXPECT_EQ(SendMessageW(window, TCM_GETROWCOUNT, 0, 0), 2);

  EXPECT_TRUE(form.window()->setCurrentTab(strip.id(), 7));
  EXPECT_EQ(strip.currentTab(), 7);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(form.window()->setCurrentTab(strip.id(), 10));

  RECT item{};
  SendMessageW(window, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(window, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(strip.currentTab(), 2);
  EXPECT_EQ(clicks, 1);
}

TEST(Controls, LabelsPaintInTheirColoursSystemColoursIncluded) {
  TestForm form;
  HWND label = controlOf(form, form.lblName);
  ASSERT_TRUE(form.lblName.setForeColour(0x0000FF));
  ASSERT_TRUE(form.lblName.setBackColour(forms::systemColour(COLOR_WINDOW)));
  EXPECT_EQ(form.lblName.foreColour(), 0x0000FF);
  EXPECT_EQ(form.lblName.backColour(), forms::systemColour(COLOR_WINDOW));

  HDC screen = GetDC(nullptr);
  win32::unique_hdc dc(CreateCompatibleDC(screen));
  ReleaseDC(nullptr, screen);
  const auto brush = SendMessageW(native(form).formWindow(), WM_CTLCOLORSTATIC,
                                  reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(label));
  EXPECT_NE(brush, 0);
  EXPECT_EQ(GetTextColor(dc.get()), RGB(255, 0, 0));
  EXPECT_EQ(GetBkColor(dc.get()), GetSysColor(COLOR_WINDOW));
  // The line keeps the colour its load handler gave it.
  EXPECT_EQ(form.Line1.foreColour(), forms::systemColour(16));
}

TEST(Controls, MouseMovesReachLabelsButtonsAndPictureBoxes) {
  TestForm form;
  std::vector<std::string> moved;
  for (const char* name : {"lblName", "cmdOK", "picPreview", "txtName"})
    form.on(name, Event::MouseMove, [&moved, name](int) { moved.push_back(name); });
  for (const auto* control : {&form.lblName, &form.cmdOK, &form.picPreview, &form.txtName})
    SendMessageW(controlOf(form, *control), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(moved, (std::vector<std::string>{"lblName", "cmdOK", "picPreview"}));
}

TEST(Controls, FontNameChangesAtRunTimeKeepingSizeAndWeight) {
  TestForm form;
  ASSERT_TRUE(form.txtName.setFontName(u"Tahoma"));
  EXPECT_EQ(form.txtName.fontName(), u"Tahoma");
  const auto font = reinterpret_cast<HFONT>(
      SendMessageW(controlOf(form, form.txtName), WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  ASSERT_TRUE(GetObjectW(font, sizeof lf, &lf));
  EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
  EXPECT_EQ(lf.lfHeight, -11);  // 8.25 points at 96 dpi
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_EQ(form.Line1.fontName(), std::nullopt);
  EXPECT_EQ(form.cmdOK.fontName(), u"Tahoma");  // the form's font
}

}  // namespace
}  // namespace tollivor
