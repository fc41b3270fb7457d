// The dialogs at the display's DPI, which the test reads from the system:
// 96 in the suite's own run, 120, 144 and 192 in the runs that
// tools/lib/test-wine makes with the display's LogPixels set.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "driver.h"
#include "group/frmGroup.h"
#include "item/frmProperty.h"
#include "scaled_dialogs.h"
#include "settings/frmSettingEx.h"
#include "standins/Sysgate/resource.h"

namespace tollivor::test {
namespace {

// The whole program draws at the display's DPI, as a per-monitor host does.
const bool kAware = [] {
  const auto set = reinterpret_cast<BOOL(WINAPI*)(HANDLE)>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  return (set && set(reinterpret_cast<HANDLE>(-4))) || SetProcessDPIAware();
}();

int displayDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}
int at(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

// Where the placement puts a dialog of this outer size (pixels) for the
// cursor: centred on it, kept 500 twips off the screen's edges and the task
// bar's thickness + 210 off the edges on its axis, at 15 twips a pixel.
POINT placed(POINT cursor, SIZE outer) {
  APPBARDATA bar{sizeof bar};
  const bool counts = SHAppBarMessage(ABM_GETSTATE, &bar) == 2 && SHAppBarMessage(ABM_GETTASKBARPOS, &bar);
  const int screenW = GetSystemMetrics(SM_CXSCREEN) * 15, screenH = GetSystemMetrics(SM_CYSCREEN) * 15;
  const int barW = counts ? (bar.rc.right - bar.rc.left) * 15 : 0, barH = counts ? (bar.rc.bottom - bar.rc.top) * 15 : 0;
  const bool topOrBottom = barW >= screenW;
  const auto axis = [](int cursor, int size, int margin, int extent) {
    const int centred = cursor * 15 - size * 15 / 2;
    if (centred < margin) return margin;
    return std::min(centred, extent - margin - size * 15);
  };
  return {static_cast<LONG>(std::lround(axis(cursor.x, outer.cx, topOrBottom ? 500 : barW + 210, screenW) / 15.0)),
          static_cast<LONG>(std::lround(axis(cursor.y, outer.cy, topOrBottom ? barH + 210 : 500, screenH) / 15.0))};
}

// Whether the caption fits the control in the font: on one line, or for a
// label on as many as its height holds. Buttons keep a border, options and
// check boxes their box.
bool fits(const forms::ControlRow& row, HFONT font, int width, int height, int dpi) {
  const int inset = MulDiv(row.kind == forms::Kind::Label ? 0 : row.kind == forms::Kind::CommandButton ? 6 : 17, dpi, 96);
  RECT r{0, 0, width - inset, 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  DrawTextW(dc, reinterpret_cast<const wchar_t*>(row.caption.c_str()), -1, &r,
            DT_CALCRECT | (row.kind == forms::Kind::Label ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return r.right <= width - inset && r.bottom <= height;
}

// A picture box's pixels as it paints them; with an icon, that icon drawn
// at the box's size on the colour of the box's top-left pixel instead.
std::vector<DWORD> pixelsOf(HWND box, int side, HICON icon = nullptr) {
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), side, -side, 1, 32}};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  if (icon) {
    const RECT all{0, 0, side, side};
    HBRUSH back = CreateSolidBrush(GetPixel(dc, 0, 0));
    FillRect(dc, &all, back);
    DeleteObject(back);
    DrawIconEx(dc, 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
  }
  GdiFlush();
  std::vector<DWORD> pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + side * side);
  for (DWORD& p : pixels) p &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

struct Dialog {
  const wchar_t* caption;
  forms::FormTable (*table)();
  void (*show)();
  POINT (*cursor)(int width, int height);  // one placement case each
  const char* groupIconBox;  // the box that shows Sysgate's group icon
};

const Dialog kDialogs[] = {
    {L"Item Property", frmPropertyTable,
     [] { showClass<_CProperty>(L"Tollivor.CProperty", IID__CProperty, L"C:\\windows|Windows"); },
     [](int w, int h) { return POINT{w / 2, h / 2}; }, nullptr},
    {L"Group Property", frmGroupTable,
     [] { showClass<_CGroup>(L"Tollivor.CGroup", IID__CGroup, L"group|Tools|:"); },
     [](int, int) { return POINT{0, 0}; }, "pictIcon"},
    {L"Tollivar Property", frmSettingExTable,
     [] { showClass<_CSettingEx>(L"Tollivor.CSettingEx", IID__CSettingEx); },
     [](int w, int h) { return POINT{w - 1, h - 1}; }, nullptr},
};

TEST(DisplayScale, DialogsGrowWithTheDisplayAndStayWholeAndPlaced) {
  ASSERT_TRUE(kAware);
  ASSERT_EQ(registerHere(), S_OK);
  const int dpi = displayDpi();
  for (const Dialog& d : kDialogs) {
    const forms::FormTable table = d.table();
    const POINT cursor = d.cursor(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    SetCursorPos(cursor.x, cursor.y);
    driver::Watcher watcher([&](DWORD thread) {
      HWND dialog = driver::waitForWindow(thread, d.caption);
      if (!dialog) return driver::closeAll(thread);
      RECT client{}, outer{};
      GetClientRect(dialog, &client);
      GetWindowRect(dialog, &outer);
      EXPECT_NEAR(client.right, at(table.clientWidth, dpi), 1) << d.caption << " at " << dpi;
      EXPECT_NEAR(client.bottom, at(table.clientHeight, dpi), 1) << d.caption;
      const POINT expected = placed(cursor, {outer.right - outer.left, outer.bottom - outer.top});
      EXPECT_NEAR(outer.left, expected.x, 1) << d.caption;
      EXPECT_NEAR(outer.top, expected.y, 1) << d.caption;
      for (const forms::ControlRow& row : table.controls) {
        HWND control = driver::controlWindow(dialog, table, row.name, row.index);
        if (row.caption.empty() || row.kind == forms::Kind::TabStrip || !control) continue;
        const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        LOGFONTW lf{};
        GetObjectW(font, sizeof lf, &lf);
        lf.lfHeight = -std::lround((row.font ? row.font->points : table.font.points) * 96 / 72);
        const HFONT font96 = CreateFontIndirectW(&lf);
        RECT r{};
        GetClientRect(control, &r);
        EXPECT_TRUE(!fits(row, font96, at(row.rect.width, 96), at(row.rect.height, 96), 96) ||
                    fits(row, font, r.right, r.bottom, dpi)) << row.name << " " << row.index;
        DeleteObject(font96);
      }
      if (d.groupIconBox) {
        const int side = MulDiv(32, dpi, 96);
        HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(L"Sysgate.dll"), MAKEINTRESOURCEW(IDI_GROUP), IMAGE_ICON, side, side, 0));
        HWND box = driver::controlWindow(dialog, table, d.groupIconBox);
        EXPECT_TRUE(icon && pixelsOf(box, side) == pixelsOf(box, side, icon)) << "the group icon at " << side;
        DestroyIcon(icon);
      }
      Sleep(200);  // let it paint
      saveScreen(outer, std::wstring(d.caption) + L" " + std::to_wstring(dpi));
      driver::closeWindow(dialog);
    });
    d.show();
  }
}

// A per-monitor host's dialog that moves to a display of another DPI lays
// itself out again at that DPI (Wine has one display: the message is sent).
TEST(DisplayScale, ANewDpiLaysTheDialogOutAgain) {
  ASSERT_EQ(registerHere(), S_OK);
  const int dpi = displayDpi() + 48;
  const forms::FormTable table = frmPropertyTable();
  driver::Watcher watcher([&](DWORD thread) {
    HWND dialog = driver::waitForWindow(thread, L"Item Property");
    if (!dialog) return driver::closeAll(thread);
    RECT suggested{};
    GetWindowRect(dialog, &suggested);
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    RECT client{}, box{};
    GetClientRect(dialog, &client);
    GetClientRect(driver::controlWindow(dialog, table, "Picture1"), &box);
    EXPECT_NEAR(client.right, at(table.clientWidth, dpi), 1);
    EXPECT_NEAR(client.bottom, at(table.clientHeight, dpi), 1);
    EXPECT_EQ(box.right, at(480, dpi));
    // 8.25 points at the new DPI, or a pixel or two less where captions need it.
    EXPECT_NEAR(-driver::fontOf(driver::controlWindow(dialog, table, "cmdOK")).lfHeight,
                8.25 * dpi / 72, 2);
    driver::closeWindow(dialog);
  });
  showClass<_CProperty>(L"Tollivor.CProperty", IID__CProperty, L"C:\\windows|Windows");
}

}  // namespace
}  // namespace tollivor::test
