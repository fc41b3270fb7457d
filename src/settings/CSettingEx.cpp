#include "settings/CSettingEx.h"

#include "forms/FormInstance.h"
#include "forms/IgnoringErrors.h"
#include "settings/frmSettingEx.h"
#include "shared/Mshared.h"

namespace tollivor {

using Instance = forms::FormInstance<frmSettingEx>;
using forms::IgnoringErrors;

CSettingEx::CSettingEx() noexcept {
  IgnoringErrors([] { Instance::loaded(); });
}

CSettingEx::~CSettingEx() { Instance::release(); }

void CSettingEx::Show() noexcept {
  IgnoringErrors([] { Mshared::ShowFormAtCursor(Instance::loaded()); });
}

}  // namespace tollivor
