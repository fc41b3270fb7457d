#include "forms/win32/RegistrySettings.h"

#include <windows.h>

#include "win32/Handles.h"
#include "win32/Convert.h"
#include "win32/SettingsKey.h"

namespace tollivor::forms::win32 {

using namespace tollivor::win32;  // the shared Win32 helpers

namespace {

std::wstring keyPath(const std::u16string& app, const std::u16string& section) {
  return settingsKeyPath(std::wstring(app.begin(), app.end()),
                         std::wstring(section.begin(), section.end()));
}

}  // namespace

std::optional<std::u16string> readStoredSetting(const std::u16string& app,
                                                const std::u16string& section,
                                                const std::u16string& key) noexcept {
  if (app.empty() || section.empty() || key.empty()) return std::nullopt;
  try {
    unique_hkey hkey;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(app, section).c_str(), 0, KEY_QUERY_VALUE,
                      hkey.put()) != ERROR_SUCCESS)
      return std::nullopt;
    DWORD type = 0, bytes = 0;
    if (RegQueryValueExW(hkey.get(), wide(key), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
      return std::nullopt;
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(hkey.get(), wide(key), nullptr, &type,
                         reinterpret_cast<BYTE*>(value.data()), &bytes) != ERROR_SUCCESS)
      return std::nullopt;
    // The stored text may or may not carry its terminating NUL.
    value.resize(bytes / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    return fromWide(value.data(), value.size());
  } catch (...) {
    return std::nullopt;
  }
}

bool writeStoredSetting(const std::u16string& app, const std::u16string& section,
                        const std::u16string& key, const std::u16string& value) noexcept {
  if (app.empty() || section.empty() || key.empty()) return false;
  try {
    unique_hkey hkey;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath(app, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, hkey.put(),
                        nullptr) != ERROR_SUCCESS)
      return false;
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(char16_t));
    return RegSetValueExW(hkey.get(), wide(key), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
  } catch (...) {
    return false;
  }
}

}  // namespace tollivor::forms::win32
