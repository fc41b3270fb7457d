#include "forms/win32/Dpi.h"

#include "win32/Handles.h"

namespace tollivor::forms::win32 {

using namespace tollivor::win32;  // the shared Win32 helpers

namespace {

// A function of user32 that older systems lack, or nullptr.
template <class Function>
Function user32(const char* name) noexcept {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

int windowDpi(HWND window) noexcept {
  if (const auto forWindow = user32<UINT(WINAPI*)(HWND)>("GetDpiForWindow"))
    if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
  const ScreenDc screen;
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kBaseDpi;
}

void adjustForDpi(RECT& rect, HWND window, int dpi) noexcept {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  if (const auto forDpi =
          user32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi"))
    if (forDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

void leaveRescalingToForm(HWND form) noexcept {
  constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
  if (const auto set = user32<BOOL(WINAPI*)(HWND, int, int)>("SetDialogDpiChangeBehavior"))
    set(form, kDisableAll, kDisableAll);
}

}  // namespace tollivor::forms::win32
