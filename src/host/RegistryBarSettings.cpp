#include "RegistryBarSettings.h"

#include <windows.h>

#include <string>

#include "sdk/SettingKeys.h"
#include "win32/Convert.h"
#include "win32/Handles.h"
#include "win32/SettingsKey.h"

namespace tollivor::host {

BarSettings ReadStoredSettings() {
  const std::wstring path = win32::settingsKeyPath(win32::wide(kSettingsApp), win32::wide(kSettingsSection));
  win32::unique_hkey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
    return ReadBarSettings([](std::u16string_view) { return std::optional<std::u16string>{}; });
  return ReadBarSettings([&](std::u16string_view name) -> std::optional<std::u16string> {
    const std::u16string keyName(name);
    DWORD bytes = 0;
    if (RegGetValueW(key.get(), nullptr, win32::wide(keyName), RRF_RT_REG_SZ, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS)
      return std::nullopt;
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(key.get(), nullptr, win32::wide(keyName), RRF_RT_REG_SZ, nullptr,
                     value.data(), &bytes) != ERROR_SUCCESS)
      return std::nullopt;
    return win32::fromWide(value.c_str());
  });
}

}  // namespace tollivor::host
