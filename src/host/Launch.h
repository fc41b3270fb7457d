// Opens what an item names: a file or folder, or a special shell location.
#pragma once

#include <windows.h>

#include <string>

namespace tollivor::host {

// True when the shell accepted the request.
bool LaunchItem(HWND owner, const std::u16string& target);

}  // namespace tollivor::host
