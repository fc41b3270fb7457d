// Completion of file system paths in an edit line, by the shell's own
// autocomplete object and a list of our own: the entries of the folder
// that the typed text names up to its last backslash.
#pragma once

#include <windows.h>

namespace tollivor::forms::win32 {

// False when the system offers no autocomplete (no COM on the thread, no
// shell object); the edit line then stays an ordinary one.
bool offerPathCompletion(HWND edit) noexcept;

}  // namespace tollivor::forms::win32
