#include "settings/CSettingEx.h"

#include "forms/FormInstance.h"
#include "forms/IgnoringErrors.h"
#include "settings/SettingsMapping.h"
#include "settings/frmSettingEx.h"
#include "shared/Mshared.h"

namespace tollivor {

using Instance = forms::FormInstance<frmSettingEx>;
using forms::IgnoringErrors;

CSettingEx::CSettingEx() noexcept {
  IgnoringErrors([] { Instance::loaded(); });
}

CSettingEx::~CSettingEx() { Instance::release(); }

// Fills the dialog from the store and shows it; the host learns the outcome
// only by reading the store again.
void CSettingEx::Show() noexcept {
  IgnoringErrors([] { SettingsMapping::ApplyStoredSettings(Instance::loaded()); });
  IgnoringErrors([] { Mshared::ShowFormAtCursor(Instance::loaded()); });
}

}  // namespace tollivor
