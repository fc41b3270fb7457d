// Dialog placement and path routines shared by the dialogs.
#pragma once

#include <string>

namespace tollivor::forms {
class Form;
}

namespace tollivor::Mshared {

// Centres the loaded, hidden form on the mouse cursor, pulls it inside the
// margins along the screen edges and the task bar, and shows it modally.
// Returns once the form is hidden or unloaded.
void ShowFormAtCursor(forms::Form& form) noexcept;

// True when the path's attributes can be read and are not exactly 16 (a
// plain folder).
bool FileExists(const std::u16string& path) noexcept;

// The path up to its last backslash (kept when it is the third character);
// "" when the path holds no backslash.
std::u16string GetParentFolder(const std::u16string& path) noexcept;

}  // namespace tollivor::Mshared
