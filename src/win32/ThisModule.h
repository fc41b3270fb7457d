// Where this code lives: the module (DLL or program) that contains it, and
// the folders that helper libraries may be loaded from.
#pragma once

#include <windows.h>

#include <string>

#include "win32/Handles.h"

namespace tollivor::win32 {

// The module that contains this code, not the process's executable.
HMODULE thisModule() noexcept;

// The full path of a loaded module (nullptr: the executable); "" on failure.
std::wstring modulePath(HMODULE module) noexcept;

// Everything before the last backslash of a path, the backslash included;
// "" when there is none.
std::wstring folderOf(const std::wstring& path) noexcept;

// A library loaded by full path from a folder (as folderOf gives it), never
// by bare name, which would also search the current folder and PATH; an
// empty handle when the folder is "" or has no such library.
unique_hmodule loadLibraryIn(const std::wstring& folder, const std::wstring& fileName) noexcept;

}  // namespace tollivor::win32
