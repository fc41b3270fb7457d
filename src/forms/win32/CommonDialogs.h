// The system's file-open and colour dialogs, driven by the settings of a
// common dialog object as the dialogs keep them from run to run.
#pragma once

#include <string>
#include <string_view>

#include "forms/Services.h"

namespace tollivor::forms::win32 {

// "desc|pattern|desc|pattern|" as GetOpenFileName wants it: every "|"
// becomes a NUL and the list ends in two NULs (both part of the result).
// An empty filter stays empty.
std::u16string openFileFilter(std::u16string_view filter);

// False on the user's Cancel as on any error; the settings are then unchanged.
bool showOpenDialog(forms::WindowHandle owner, forms::CommonDialogSettings& dialog) noexcept;
bool showColourDialog(forms::WindowHandle owner, forms::CommonDialogSettings& dialog) noexcept;

}  // namespace tollivor::forms::win32
