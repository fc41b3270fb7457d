// The per-user settings store: string values under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>.
#pragma once

#include <optional>
#include <string>

namespace tollivor::forms::win32 {

// nullopt when the key or the value does not exist or is not a string.
std::optional<std::u16string> readStoredSetting(const std::u16string& app,
                                                const std::u16string& section,
                                                const std::u16string& key) noexcept;
bool writeStoredSetting(const std::u16string& app, const std::u16string& section,
                        const std::u16string& key, const std::u16string& value) noexcept;

}  // namespace tollivor::forms::win32
