#include "settings_support.h"

#include <commctrl.h>

#include <cstdlib>

#include "driver.h"
#include "win32/Handles.h"

namespace tollivor::test {

void clearSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey.c_str()); }

std::optional<StoredValue> readSetting(const wchar_t* key) {
  win32::unique_hkey hkey;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey.c_str(), 0, KEY_QUERY_VALUE, hkey.put()) != ERROR_SUCCESS)
    return std::nullopt;
  DWORD type = 0, bytes = 0;
  if (RegQueryValueExW(hkey.get(), key, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  StoredValue value{type, {}};
  if (type == REG_SZ) {
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    RegQueryValueExW(hkey.get(), key, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes);
    text.resize(wcsnlen(text.c_str(), bytes / sizeof(wchar_t)));
    value.text = text;
  }
  return value;
}

void writeSetting(const wchar_t* key, const std::wstring& text) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey.c_str(), key, REG_SZ, text.c_str(),
                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void writeSettingNumber(const wchar_t* key, DWORD number) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey.c_str(), key, REG_DWORD, &number, sizeof number);
}

HWND tabStrip(HWND dialog) { return FindWindowExW(dialog, nullptr, WC_TABCONTROLW, nullptr); }

std::vector<HWND> pages(HWND dialog) {
  // The page containers are the form's children of the picture box class,
  // made in tab order; their first label tells which page each is.
  static const wchar_t* const firstLabels[] = {
      L"Choose when Tollivar will be shown.",
      L"Choose how fast Tollivar will be shown.",
      L"Choose whether Tollivar should display \"tooltips\" when the cursor is on an item.",
      L"Choose the direction from which Tollivar slides. ",
      L"Choose the Smart Slide option. If Smart Slide is on, Tollivar adjusts its position when "
      L"sliding so that you can see the entire bar (if it is partially hidden).  ",
      L"Choose the color of the label \"Tollivar\". ",
      L"Choose the background picture. ",
      L"Choose the appearence of an item in Tollivar when the mouse moves over it. ",
      L"Choose a sound file.",
      L"Choose how Tollivar handles Group."};
  std::vector<HWND> found;
  for (const wchar_t* label : firstLabels) {
    HWND control = driver::findControl(dialog, label);
    found.push_back(control ? GetParent(control) : nullptr);
  }
  return found;
}

int visiblePage(HWND dialog) {
  int visible = -1;
  const auto all = pages(dialog);
  for (size_t i = 0; i < all.size(); ++i) {
    if (!all[i] || !IsWindowVisible(all[i])) continue;
    if (visible >= 0) return -1;
    visible = static_cast<int>(i);
  }
  return visible;
}

bool waitUntilActive(HWND dialog) {
  const bool active = driver::waitFor([&] { return GetForegroundWindow() == dialog; });
  Sleep(200);  // the window system's own notice of it may follow
  return active && GetForegroundWindow() == dialog;
}

bool waitForPage(HWND dialog, int page) {
  return driver::waitFor([&] { return visiblePage(dialog) == page; });
}

// Under X the pointer's own events may still be on their way from an
// earlier move: the move is given again until the pointer stays put.
void moveMouseTo(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  input.mi.dx = MulDiv(screen.x, 65535, width - 1);
  input.mi.dy = MulDiv(screen.y, 65535, height - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  for (int attempt = 0; attempt < 10; ++attempt) {
    SendInput(1, &input, sizeof input);
    Sleep(30);
    POINT at{};
    if (GetCursorPos(&at) && at.x == screen.x && at.y == screen.y) return;
  }
}

void clickAt(POINT screen) {
  moveMouseTo(screen);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof input[0]);
}

void clickTab(HWND tabs, int tab) {
  RECT r{};
  SendMessageW(tabs, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&r));
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(tabs, &p);
  clickAt(p);
}

void pressKeys(std::initializer_list<WORD> held, WORD key) {
  std::vector<INPUT> inputs;
  const auto add = [&](WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (WORD vk : held) add(vk, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  for (auto it = std::rbegin(held); it != std::rend(held); ++it) add(*it, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

POINT centreOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

int pixelsNear(HWND window, COLORREF colour) {
  RECT r{};
  GetWindowRect(window, &r);
  const win32::ScreenDc screen;
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF pixel = GetPixel(screen.get(), x, y);
      if (std::abs(GetRValue(pixel) - GetRValue(colour)) < 40 &&
          std::abs(GetGValue(pixel) - GetGValue(colour)) < 40 &&
          std::abs(GetBValue(pixel) - GetBValue(colour)) < 40)
        ++count;
    }
  return count;
}

}  // namespace tollivor::test
