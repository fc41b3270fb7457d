// Where this code lives: the module (DLL or program) that contains it, and
// the folders that helper libraries may be loaded from.
#pragma once

#include <windows.h>

#include <string>

namespace tollivor::win32 {

// The module that contains this code, not the process's executable.
HMODULE thisModule() noexcept;

// The full path of a loaded module (nullptr: the executable); "" on failure.
std::wstring modulePath(HMODULE module) noexcept;

// Everything before the last backslash of a path, the backslash included;
// "" when there is none.
std::wstring folderOf(const std::wstring& path) noexcept;

}  // namespace tollivor::win32
