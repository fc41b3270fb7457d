#include "screenshot.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "win32/Handles.h"

namespace tollivor::test {

namespace {

struct FileCloser {
  void operator()(FILE* f) const noexcept { fclose(f); }
};

}  // namespace

bool saveScreenshot(HWND window, const std::wstring& name) {
  const wchar_t* folder = _wgetenv(L"TOLLIVOR_SCREENSHOTS");
  if (!folder || !*folder) return false;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r{};
  if (!GetWindowRect(window, &r)) return false;
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  info.bmiHeader.biSizeImage = stride * static_cast<DWORD>(height);

  const win32::ScreenDc screen;
  if (!screen) return false;
  win32::unique_hdc memory(CreateCompatibleDC(screen.get()));
  void* bits = nullptr;
  win32::unique_hbitmap bitmap(
      CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  bool copied = false;
  if (memory && bitmap) {
    win32::SelectScope select(memory.get(), bitmap.get());
    copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
    GdiFlush();
  }
  if (!copied) return false;

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + info.bmiHeader.biSizeImage;
  const std::wstring path = std::wstring(folder) + L"\\" + name + L".bmp";
  std::unique_ptr<FILE, FileCloser> out(_wfopen(path.c_str(), L"wb"));
  return out && fwrite(&file, sizeof file, 1, out.get()) == 1 &&
         fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out.get()) == 1 &&
         fwrite(bits, info.bmiHeader.biSizeImage, 1, out.get()) == 1;
}

}  // namespace tollivor::test
