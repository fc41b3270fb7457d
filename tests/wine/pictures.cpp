#include "pictures.h"

#include <cstdint>
#include <vector>

#include "win32/Handles.h"

namespace tollivor::test {

namespace {

template <class T>
void append(std::vector<std::uint8_t>& bytes, T value) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(&value);
  for (size_t i = 0; i < sizeof value; ++i) bytes.push_back(p[i]);
}

void appendPixel(std::vector<std::uint8_t>& bytes, COLORREF colour, bool alpha) {
  bytes.push_back(GetBValue(colour));
  bytes.push_back(GetGValue(colour));
  bytes.push_back(GetRValue(colour));
  if (alpha) bytes.push_back(0xFF);
}

struct CloseFile {
  void operator()(HANDLE h) const noexcept {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

bool writeBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  win32::unique_any<HANDLE, CloseFile> file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace

bool writeIconFile(const std::wstring& path, int size, COLORREF left, COLORREF right) {
  const int maskRow = (size + 31) / 32 * 4;
  const auto imageBytes = static_cast<DWORD>(40 + size * size * 4 + maskRow * size);
  std::vector<std::uint8_t> bytes;
  append<WORD>(bytes, 0);  // the icon directory: one icon image
  append<WORD>(bytes, 1);
  append<WORD>(bytes, 1);
  bytes.push_back(static_cast<std::uint8_t>(size));
  bytes.push_back(static_cast<std::uint8_t>(size));
  bytes.push_back(0);  // no palette
  bytes.push_back(0);
  append<WORD>(bytes, 1);   // planes
  append<WORD>(bytes, 32);  // bits per pixel
  append<DWORD>(bytes, imageBytes);
  append<DWORD>(bytes, 22);  // the image follows the directory
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = size;
  header.biHeight = 2 * size;  // colour rows, then the mask's
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  append(bytes, header);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) appendPixel(bytes, x < size / 2 ? left : right, true);
  bytes.insert(bytes.end(), static_cast<size_t>(maskRow * size), 0);  // all opaque
  return writeBytes(path, bytes);
}

bool writeBitmapFile(const std::wstring& path, int width, int height, COLORREF colour) {
  const int row = (width * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> bytes;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(row * height);
  append(bytes, file);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  append(bytes, header);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) appendPixel(bytes, colour, false);
    bytes.insert(bytes.end(), static_cast<size_t>(row - width * 3), 0);
  }
  return writeBytes(path, bytes);
}

bool writeTextFile(const std::wstring& path, const std::string& content) {
  return writeBytes(path, std::vector<std::uint8_t>(content.begin(), content.end()));
}

COLORREF paintedPixel(HWND window, int x, int y) {
  const win32::ScreenDc screen;
  win32::unique_hdc dc(CreateCompatibleDC(screen.get()));
  win32::unique_hbitmap bitmap(CreateCompatibleBitmap(screen.get(), 64, 64));
  win32::SelectScope select(dc.get(), bitmap.get());
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
  return GetPixel(dc.get(), x, y);
}

HWND pictureBoxOf(HWND dialog) {
  return FindWindowExW(dialog, nullptr, L"TollivorPictureBox", nullptr);
}

}  // namespace tollivor::test
