// What the display-scale and path completion tests share: the component
// registered from this program's folder (these tests also run alone, in a
// fresh prefix per DPI), a class shown with a record, and screen pictures.
#pragma once

#include <windows.h>

#include <string>

#include "component_support.h"

namespace tollivor::test {

inline HRESULT registerHere() {
  const auto reg = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(
      GetProcAddress(LoadLibraryW(componentPath().c_str()), "DllRegisterServer")));
  return reg ? reg() : E_FAIL;
}

// Creates the class, writes the record into ItemInfo if it has one, shows it.
template <class Class>
void showClass(const wchar_t* progId, REFIID iid, const wchar_t* record = nullptr) {
  Ref<Class> object;
  if (FAILED(createByProgId(progId, iid, object.putVoid()))) return;
  if constexpr (requires { object->put_ItemInfo(nullptr); })
    if (record) object->put_ItemInfo(bstr(record).get());
  object->Show();
}

// Writes the screen's pixels in the rectangle as NAME.bmp into the folder
// that TOLLIVOR_SCREENSHOTS names, if it names one. A popup that Wine keeps
// off the X screen (the suggestion list) is drawn in by itself.
inline void saveScreen(const RECT& r, const std::wstring& name, HWND popup = nullptr) {
  const wchar_t* folder = _wgetenv(L"TOLLIVOR_SCREENSHOTS");
  if (!folder) return;
  const LONG w = r.right - r.left, h = r.bottom - r.top;
  const DWORD size = (w * 3 + 3) / 4 * 4 * h, start = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  BITMAPINFOHEADER info{sizeof info, w, h, 1, 24, BI_RGB, size};
  HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  RECT p{};
  if (popup && GetWindowRect(popup, &p) && SetViewportOrgEx(dc, p.left - r.left, p.top - r.top, nullptr))
    PrintWindow(popup, dc, 0);
  GdiFlush();
  BITMAPFILEHEADER head{0x4D42, start + size, 0, 0, start};
  HANDLE file = CreateFileW((std::wstring(folder) + L"\\" + name + L".bmp").c_str(), GENERIC_WRITE,
                            0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, &head, sizeof head, &written, nullptr);
  WriteFile(file, &info, sizeof info, &written, nullptr);
  WriteFile(file, bits, size, &written, nullptr);
  CloseHandle(file);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

}  // namespace tollivor::test
