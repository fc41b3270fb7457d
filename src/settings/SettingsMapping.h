// The bar settings in the settings store and the settings dialog's controls:
// reading the stored texts into the dialog and writing the dialog back. Both
// run key by key, in the order of the settings table; a step that fails is
// skipped and the next key is still read or written.
#pragma once

namespace tollivor {

class frmSettingEx;

namespace SettingsMapping {

// The first half of CSettingEx::Show: sets the dialog's controls from the
// stored text of each key; a text a key does not know leaves its control.
void ApplyStoredSettings(frmSettingEx& form) noexcept;
// The body of cmdOK_Click: writes every key from the dialog's controls.
void StoreSettings(frmSettingEx& form) noexcept;

}  // namespace SettingsMapping
}  // namespace tollivor
