// The dialogs at the display's DPI, read from the system (96 in the suite's run; tools/lib/test-wine
// runs these alone again, DLL registered here, at 120, 144 and 192 DPI), and path completion by keys.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "component_support.h"  // (windows.h)
#include <shellapi.h>
#include "driver.h"
#include "win32/Handles.h"
#include "group/frmGroup.h"
#include "item/frmProperty.h"
#include "settings/frmSettingEx.h"
#include "standins/Sysgate/resource.h"

namespace tollivor::test {
namespace {

const bool kAware = SetProcessDPIAware();  // drawn at the display's DPI, as the host is
int at(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

template <class Class>
void showClass(const wchar_t* progId, REFIID iid, const wchar_t* record = nullptr) {
  Ref<Class> object;
  if (FAILED(createByProgId(progId, iid, object.putVoid()))) return;
  if constexpr (requires { object->put_ItemInfo(nullptr); }) object->put_ItemInfo(bstr(record).get());
  object->Show();
}

struct Canvas {  // a 32-bit top-down picture, drawn into through `dc` while it lives
  Canvas(LONG w, LONG h) : info{{sizeof info.bmiHeader, w, -h, 1, 32}} { SelectObject(dc.get(), bitmap.get()); }
  BITMAPINFO info;
  void* bits = nullptr;
  win32::unique_hbitmap bitmap{CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)};
  win32::unique_hdc dc{CreateCompatibleDC(nullptr)};  // goes first, letting the bitmap go
  bool sameColours(const Canvas& other, LONG count) const {
    for (LONG i = 0; i < count; ++i)
      if ((static_cast<DWORD*>(bits)[i] ^ static_cast<DWORD*>(other.bits)[i]) & 0xFFFFFF) return false;
    return true;
  }
};

// Where the placement puts a dialog (outer pixels): centred on the cursor, kept off the edges.
POINT placed(POINT cursor, LONG w, LONG h) {
  APPBARDATA bar{sizeof bar};
  if (SHAppBarMessage(ABM_GETSTATE, &bar) != 2 || !SHAppBarMessage(ABM_GETTASKBARPOS, &bar)) bar.rc = {};
  const int screenW = GetSystemMetrics(SM_CXSCREEN) * 15, screenH = GetSystemMetrics(SM_CYSCREEN) * 15;
  const int barW = (bar.rc.right - bar.rc.left) * 15, barH = (bar.rc.bottom - bar.rc.top) * 15;
  const auto axis = [](int at, int size, int margin, int extent) {
    const int centred = at * 15 - size * 15 / 2;  // one correction: the near edge, else the far one
    return std::lround((centred < margin ? margin : std::min(centred, extent - margin - size * 15)) / 15.);
  };
  return {axis(cursor.x, w, barW >= screenW ? 500 : barW + 210, screenW),
          axis(cursor.y, h, barW >= screenW ? barH + 210 : 500, screenH)};
}

// Whether the caption fits: a label on the lines it holds, others on one line by border or box.
bool fits(const forms::ControlRow& row, HFONT font, int width, int height, int dpi) {
  const bool label = row.kind == forms::Kind::Label;
  width -= MulDiv(label ? 0 : row.kind == forms::Kind::CommandButton ? 6 : 17, dpi, 96);
  RECT r{0, 0, width, 0};
  Canvas canvas(1, 1);
  SelectObject(canvas.dc.get(), font);
  DrawTextW(canvas.dc.get(), reinterpret_cast<const wchar_t*>(row.caption.c_str()), -1, &r,
            DT_CALCRECT | (label ? DT_WORDBREAK : DT_SINGLELINE));
  return r.right <= width && r.bottom <= height;
}

struct Dialog { const wchar_t* caption; forms::FormTable (*table)(); void (*show)(); double cursorAt; };
const Dialog kDialogs[] = {
    {L"Item Property", frmPropertyTable, [] { showClass<_CProperty>(L"Tollivor.CProperty", IID__CProperty, L"C:\\windows|x"); }, 0.5},
    {L"Group Property", frmGroupTable, [] { showClass<_CGroup>(L"Tollivor.CGroup", IID__CGroup, L"group|Tools|:"); }, 0},
    {L"Tollivar Property", frmSettingExTable, [] { showClass<_CSettingEx>(L"Tollivor.CSettingEx", IID__CSettingEx); }, 0.999}};

TEST(DisplayScale, DialogsGrowWithTheDisplayStayWholeAndPlacedAndFollowANewDpi) {
  ASSERT_EQ(registerComponent(), S_OK);
  const int dpi = GetDeviceCaps(Canvas(1, 1).dc.get(), LOGPIXELSY), side = MulDiv(32, dpi, 96);
  for (const Dialog& d : kDialogs) {
    const forms::FormTable table = d.table();
    const POINT cursor{LONG(d.cursorAt * GetSystemMetrics(SM_CXSCREEN)), LONG(d.cursorAt * GetSystemMetrics(SM_CYSCREEN))};
    SetCursorPos(cursor.x, cursor.y);
    driver::showWhile(d.show, d.caption, [&](HWND dialog, DWORD) {
      RECT client{}, outer{};
      GetClientRect(dialog, &client), GetWindowRect(dialog, &outer);
      const POINT place = placed(cursor, outer.right - outer.left, outer.bottom - outer.top);
      EXPECT_TRUE(std::abs(client.right - at(table.clientWidth, dpi)) <= 1 &&
                  std::abs(client.bottom - at(table.clientHeight, dpi)) <= 1) << "client area at " << dpi;
      EXPECT_EQ(std::pair(outer.left, outer.top), std::pair(place.x, place.y)) << "placed";
      const auto expectWhole = [&](int now) {  // no caption whole at 96 DPI is cut at `now`
        for (const forms::ControlRow& row : table.controls) {
          HWND control = driver::controlWindow(dialog, table, row.name, row.index);
          if (row.caption.empty() || row.kind == forms::Kind::TabStrip || !control) continue;
          LOGFONTW lf = driver::fontOf(control);
          lf.lfHeight = -std::lround((row.font ? row.font->points : table.font.points) * 96 / 72);
          const win32::unique_hfont font96(CreateFontIndirectW(&lf));
          const HFONT font = HFONT(SendMessageW(control, WM_GETFONT, 0, 0));
          RECT r{};
          GetClientRect(control, &r);
          EXPECT_TRUE(!fits(row, font96.get(), at(row.rect.width, 96), at(row.rect.height, 96), 96) ||
                      fits(row, font, r.right, r.bottom, now)) << row.name << " " << row.index << " cut at " << now;
        }
      };
      expectWhole(dpi);
      if (HWND box = driver::controlWindow(dialog, table, "pictIcon")) {  // the group icon, crisp
        HICON icon = HICON(LoadImageW(GetModuleHandleW(L"Sysgate.dll"), MAKEINTRESOURCEW(IDI_GROUP), IMAGE_ICON, side, side, 0));
        Canvas drawn(side, side), expected(side, side);
        SendMessageW(box, WM_PRINTCLIENT, WPARAM(drawn.dc.get()), PRF_CLIENT);
        const RECT all{0, 0, side, side};  // the icon alone on the box's colour
        const win32::unique_hbrush ground(CreateSolidBrush(GetPixel(drawn.dc.get(), 0, 0)));
        FillRect(expected.dc.get(), &all, ground.get());
        DrawIconEx(expected.dc.get(), 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
        EXPECT_TRUE((GdiFlush(), icon && drawn.sameColours(expected, side * side))) << "group icon at " << side;
      }
      saveScreenshot(dialog, std::wstring(d.caption) + L" " + std::to_wstring(dpi));
      if (d.table == frmPropertyTable) {  // moved to a display 48 DPI finer
        SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi + 48, dpi + 48), LPARAM(&outer));
        GetClientRect(dialog, &client);
        EXPECT_TRUE(std::abs(client.right - at(table.clientWidth, dpi + 48)) <= 1 &&
                    std::abs(client.bottom - at(table.clientHeight, dpi + 48)) <= 1) << "laid out again";
        EXPECT_NEAR(-driver::fontOf(driver::controlWindow(dialog, table, "cmdOK")).lfHeight, 8.25 * (dpi + 48) / 72, 2);
        expectWhole(dpi + 48);
      }
      driver::closeWindow(dialog);
    });
  }
}

TEST(PathCompletion, TypingPartOfAPathInTheItemDialogOffersTheFolder) {
  ASSERT_EQ(registerComponent(), S_OK);
  const auto show = [] { showClass<_CProperty>(L"Tollivor.CProperty", IID__CProperty, L"|"); };
  driver::showWhile(show, L"Item Property", [](HWND dialog, DWORD thread) {
    HWND list = nullptr;
    HWND edit = FindWindowExW(driver::controlWindow(dialog, frmPropertyTable(), "Text1"), nullptr, L"Edit", nullptr);
    for (wchar_t c : std::wstring(L"C:\\win")) {  // keys through the system's input queue
      INPUT key[2] = {{INPUT_KEYBOARD, {.ki = {0, WORD(c), KEYEVENTF_UNICODE}}},
                      {INPUT_KEYBOARD, {.ki = {0, WORD(c), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP}}}};
      SendInput(2, key, sizeof(INPUT));
    }
    // The suggestions: a shown list box with entries in a popup (a combo box's list is a ComboLBox).
    EXPECT_TRUE(driver::waitFor([&] {
      for (HWND window : driver::threadWindows(thread))
        if (HWND l = FindWindowExW(window, nullptr, L"ListBox", nullptr); l && IsWindowVisible(l)) list = l;
      return list && SendMessageW(list, LB_GETCOUNT, 0, 0) > 0;
    }));
    keybd_event(VK_DOWN, 0, 0, 0), keybd_event(VK_DOWN, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_TRUE(driver::waitFor([&] { return !_wcsicmp(driver::windowText(edit).c_str(), L"C:\\windows"); }))
        << "Down takes the suggestion into the line";
    driver::closeWindow(dialog);
  });
}

}  // namespace
}  // namespace tollivor::test
