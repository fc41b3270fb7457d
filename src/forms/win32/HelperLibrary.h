// The host's helper libraries are found by full path only: first in the
// folder of the host's executable, then in the folder of the module that
// holds this code. The current directory and PATH are never searched, so a
// planted DLL of the same name is never loaded.
#pragma once

#include <windows.h>

#include <string>

#include "win32/Handles.h"

namespace tollivor::forms::win32 {

// The library, loaded, or an empty handle when neither folder has it.
tollivor::win32::unique_hmodule loadHelperLibrary(const std::wstring& fileName) noexcept;

// The library as loaded once for the process: every load and unload of a
// library with a static C++ runtime leaves heap behind, so a library that
// was found stays loaded until releaseHelperLibraries (when the component
// itself may unload). A library not found is looked for again next time.
HMODULE helperLibrary(const std::wstring& fileName) noexcept;

// A system library needed only now and then (the common dialogs'), loaded
// by full path from the system folder when first asked for and kept with
// the helpers: most edits never need it, and the component loads faster.
HMODULE systemLibrary(const std::wstring& fileName) noexcept;

void releaseHelperLibraries() noexcept;

}  // namespace tollivor::forms::win32
