#include "SampleIcon.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace tollivor::host {

namespace {

constexpr int kSize = 32;

template <class T>
void append(std::vector<std::uint8_t>& bytes, T value) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(&value);
  for (size_t i = 0; i < sizeof value; ++i) bytes.push_back(p[i]);
}

// A toolbox: a red box with a darker lid and a grey handle, on a clear
// background. Rows run bottom-up, as in every Windows bitmap.
std::uint32_t pixel(int x, int top) {
  constexpr std::uint32_t kClear = 0x00000000, kBox = 0xFFD04030, kLid = 0xFF902418,
                          kHandle = 0xFF606060, kLatch = 0xFFF0C020;
  const bool handle = (top >= 4 && top <= 6 && x >= 10 && x <= 21) ||
                      (top >= 4 && top <= 10 && (x == 10 || x == 11 || x == 20 || x == 21));
  if (handle) return kHandle;
  if (x < 3 || x > 28 || top < 10 || top > 28) return kClear;
  if (top >= 16 && top <= 19 && x >= 14 && x <= 17) return kLatch;
  if (top <= 13) return kLid;
  return kBox;
}

std::vector<std::uint8_t> iconFile() {
  const int maskRow = (kSize + 31) / 32 * 4;
  std::vector<std::uint8_t> bytes;
  append<WORD>(bytes, 0);
  append<WORD>(bytes, 1);  // an icon file with one image
  append<WORD>(bytes, 1);
  for (std::uint8_t b : {kSize, kSize, 0, 0}) bytes.push_back(b);
  append<WORD>(bytes, 1);
  append<WORD>(bytes, 32);
  append<DWORD>(bytes, static_cast<DWORD>(40 + kSize * kSize * 4 + maskRow * kSize));
  append<DWORD>(bytes, 22);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = kSize;
  header.biHeight = 2 * kSize;  // the colours, then the mask
  header.biPlanes = 1;
  header.biBitCount = 32;
  append(bytes, header);
  for (int row = kSize - 1; row >= 0; --row)
    for (int x = 0; x < kSize; ++x) append<std::uint32_t>(bytes, pixel(x, row));
  // The mask: clear pixels are transparent, the rest opaque.
  for (int row = kSize - 1; row >= 0; --row) {
    std::vector<std::uint8_t> bits(static_cast<size_t>(maskRow), 0);
    for (int x = 0; x < kSize; ++x)
      if ((pixel(x, row) >> 24) == 0) bits[static_cast<size_t>(x / 8)] |= 0x80 >> (x % 8);
    bytes.insert(bytes.end(), bits.begin(), bits.end());
  }
  return bytes;
}

}  // namespace

std::wstring SampleGroupIconFile() {
  wchar_t temp[MAX_PATH] = {};
  if (!GetTempPathW(MAX_PATH, temp)) return L"";
  const std::wstring path = std::wstring(temp) + L"tollivor-toolbox.ico";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return L"";
  const auto bytes = iconFile();
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  CloseHandle(file);
  return ok ? path : L"";
}

}  // namespace tollivor::host
