#include "forms/win32/PictureBox.h"

#include <algorithm>

#include "win32/Lock.h"
#include "win32/ThisModule.h"
#include "win32/Convert.h"

namespace tollivor::forms::win32 {

using namespace tollivor::win32;  // the shared Win32 helpers

// --- window class ----------------------------------------------------------

namespace {
Lock g_classMutex;
int g_classLeases = 0;
}  // namespace

const wchar_t* PictureClassLease::className() noexcept { return L"TollivorPictureBox"; }

PictureClassLease::PictureClassLease() noexcept {
  LockGuard lock(g_classMutex);
  if (g_classLeases == 0) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &PictureBox::windowProc;
    wc.hInstance = thisModule();
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = className();
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;
  }
  ++g_classLeases;
  registered_ = true;
}

PictureClassLease::~PictureClassLease() {
  if (!registered_) return;
  LockGuard lock(g_classMutex);
  if (--g_classLeases == 0) UnregisterClassW(className(), thisModule());
}

// --- the box ---------------------------------------------------------------

PictureBox::PictureBox(PictureBoxHost& host, forms::ControlId id, COLORREF back) noexcept
    : host_(host), id_(id), blankColour_(back) {}

PictureBox::~PictureBox() {
  if (dc_ && originalBitmap_) SelectObject(dc_.get(), originalBitmap_);
}

bool PictureBox::create(HWND parent, int controlId, const RECT& px, DWORD style,
                        DWORD exStyle) noexcept {
  window_ = CreateWindowExW(exStyle, PictureClassLease::className(), L"", style, px.left, px.top,
                            px.right - px.left, px.bottom - px.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), thisModule(),
                            this);
  return window_ != nullptr;
}

// A box that nothing was ever drawn into is painted in its colour: most of
// them (the pages of a tabbed form) never need a bitmap at all.
bool PictureBox::makeBitmap() noexcept {
  if (!dc_) growBitmap(blankColour_);
  return static_cast<bool>(dc_);
}

void PictureBox::fitToClient(COLORREF back) noexcept {
  if (dc_) growBitmap(back);  // a blank box gets its size when first drawn into
}

void PictureBox::growBitmap(COLORREF back) noexcept {
  RECT client{};
  if (!GetClientRect(window_, &client)) return;
  const SIZE want{std::max<LONG>(client.right, size_.cx), std::max<LONG>(client.bottom, size_.cy)};
  if (dc_ && want.cx == size_.cx && want.cy == size_.cy) return;
  unique_hbrush brush(CreateSolidBrush(back));
  replaceBitmap(want, [&](HDC dc) {
    RECT all{0, 0, want.cx, want.cy};
    FillRect(dc, &all, brush.get());
    if (dc_) BitBlt(dc, 0, 0, size_.cx, size_.cy, dc_.get(), 0, 0, SRCCOPY);
  });
}

void PictureBox::rescale(int fromDpi, int toDpi) noexcept {
  if (!dc_) return;
  const SIZE want{MulDiv(size_.cx, toDpi, fromDpi), MulDiv(size_.cy, toDpi, fromDpi)};
  replaceBitmap(want, [&](HDC dc) {
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, want.cx, want.cy, dc_.get(), 0, 0, size_.cx, size_.cy, SRCCOPY);
  });
}

// A new bitmap of the size, drawn into from the old one, takes its place.
template <class Draw>
void PictureBox::replaceBitmap(SIZE want, Draw draw) noexcept {
  unique_hdc dc;
  unique_hbitmap bitmap;
  {
    const ScreenDc screen;
    if (!screen) return;
    dc.reset(CreateCompatibleDC(screen.get()));
    bitmap.reset(CreateCompatibleBitmap(screen.get(), std::max<LONG>(want.cx, 1),
                                        std::max<LONG>(want.cy, 1)));
  }
  if (!dc || !bitmap) return;
  HGDIOBJ original = SelectObject(dc.get(), bitmap.get());
  draw(dc.get());
  if (dc_ && originalBitmap_) SelectObject(dc_.get(), originalBitmap_);
  dc_ = std::move(dc);
  bitmap_ = std::move(bitmap);
  originalBitmap_ = original;
  size_ = want;
  invalidate();
}

bool PictureBox::clear(COLORREF back) noexcept {
  if (!dc_) {
    blankColour_ = back;
    invalidate();
    return window_ != nullptr;
  }
  unique_hbrush brush(CreateSolidBrush(back));
  RECT all{0, 0, size_.cx, size_.cy};
  if (!brush || !FillRect(dc_.get(), &all, brush.get())) return false;
  invalidate();
  return true;
}

bool PictureBox::refresh() noexcept {
  if (!window_) return false;
  invalidate();
  return UpdateWindow(window_) != FALSE;
}

bool PictureBox::drawIcon(int x, int y, int size, HICON icon) noexcept {
  if (!icon || !makeBitmap()) return false;
  if (!DrawIconEx(dc_.get(), x, y, icon, size, size, 0, nullptr, DI_NORMAL)) return false;
  invalidate();
  return true;
}

bool PictureBox::loadPicture(const std::u16string& path, COLORREF back) noexcept {
  if (path.empty() || !makeBitmap()) return false;
  // An icon keeps its own size: no LR_DEFAULTSIZE, and drawn with no size
  // of ours (DrawIcon would stretch it to the system's icon size).
  unique_hicon icon(
      static_cast<HICON>(LoadImageW(nullptr, wide(path), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
  if (icon) {
    if (!clear(back)) return false;
    const bool drawn =
        DrawIconEx(dc_.get(), 0, 0, icon.get(), 0, 0, 0, nullptr, DI_NORMAL) != FALSE;
    invalidate();
    return drawn;
  }

  unique_hbitmap bitmap(
      static_cast<HBITMAP>(LoadImageW(nullptr, wide(path), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (!bitmap) return false;
  BITMAP info{};
  if (!GetObjectW(bitmap.get(), sizeof info, &info)) return false;
  unique_hdc source(CreateCompatibleDC(dc_.get()));
  if (!source || !clear(back)) return false;
  SelectScope select(source.get(), bitmap.get());
  const bool drawn =
      BitBlt(dc_.get(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY) != FALSE;
  invalidate();
  return drawn;
}

void PictureBox::invalidate() noexcept {
  if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void PictureBox::paint(HDC dc) noexcept {
  RECT client{};
  GetClientRect(window_, &client);
  if (dc_) {
    BitBlt(dc, 0, 0, client.right, client.bottom, dc_.get(), 0, 0, SRCCOPY);
  } else {
    const unique_hbrush brush(CreateSolidBrush(blankColour_));
    FillRect(dc, &client, brush.get());
  }
  host_.paintContainedLines(id_, dc);
}

LRESULT CALLBACK PictureBox::windowProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<PictureBox*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    if (created) created->window_ = window;
  }
  auto* box = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (box) box->window_ = nullptr;
    box = nullptr;
  }
  if (!box) return DefWindowProcW(window, message, wParam, lParam);
  return box->handle(message, wParam, lParam);
}

LRESULT PictureBox::handle(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the bitmap covers everything
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = BeginPaint(window_, &ps)) {
        paint(dc);
        EndPaint(window_, &ps);
      }
      return 0;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_MOUSEMOVE:
      host_.pictureMouseMove(id_);
      return 0;
    // Controls placed on a page talk to the form, as they would if they
    // were its direct children.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
      return SendMessageW(GetAncestor(window_, GA_ROOT), message, wParam, lParam);
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

}  // namespace tollivor::forms::win32
