// The bar settings in the per-user settings store (application "Quorin",
// section "Setting"): reading them into the settings dialog and writing the
// dialog back. Both run key by key, in the same order; a step that fails is
// skipped and the next key is still read or written.
#pragma once

#include <optional>
#include <string>

#include "forms/ControlTable.h"

namespace tollivor {

class frmSettingEx;

namespace SettingsStore {

inline constexpr char16_t kApp[] = u"Quorin";
inline constexpr char16_t kSection[] = u"Setting";

// The first half of CSettingEx::Show: sets the dialog's controls from the
// stored text of each key; a text a key does not know leaves its control.
void ApplyStoredSettings(frmSettingEx& form) noexcept;
// The body of cmdOK_Click: writes every key from the dialog's controls.
void StoreSettings(frmSettingEx& form) noexcept;

// A stored colour: the text read as a number (blanks around it allowed, as
// the runtime's conversion allows them) and rounded half to even; nothing
// when it is not a number or does not fit in 32 bits.
std::optional<forms::Colour> ColourFromText(const std::u16string& text) noexcept;
// The signed decimal text a colour is stored as.
std::u16string ColourText(forms::Colour colour);

}  // namespace SettingsStore
}  // namespace tollivor
