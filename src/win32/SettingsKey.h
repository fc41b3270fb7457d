// Where the per-user settings store keeps an application's section: the
// registry key of the program settings functions, below HKEY_CURRENT_USER.
// The component writes there and the host bar reads there.
#pragma once

#include <string>
#include <string_view>

namespace tollivor::win32 {

inline std::wstring settingsKeyPath(std::wstring_view app, std::wstring_view section) {
  std::wstring path = L"Software\\VB and VBA Program Settings\\";
  path.append(app);
  if (!section.empty()) path.append(1, L'\\').append(section);
  return path;
}

}  // namespace tollivor::win32
