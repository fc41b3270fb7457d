#include "settings/CSettingEx.h"

#include "forms/IgnoringErrors.h"
#include "settings/SettingsMapping.h"

namespace tollivor {

using forms::IgnoringErrors;

// Fills the dialog from the store and shows it; the host learns the outcome
// only by reading the store again.
void CSettingEx::Show() noexcept {
  IgnoringErrors([] { SettingsMapping::ApplyStoredSettings(Instance::loaded()); });
  FormClass::Show();
}

}  // namespace tollivor
