#include "settings/CSettingEx.h"

#include "platform/FormInstance.h"
#include "settings/frmSettingEx.h"
#include "shared/Mshared.h"

namespace tollivor {

namespace {

using Instance = forms::FormInstance<frmSettingEx>;

// This thread's settings dialog, loaded again if it was unloaded meanwhile.
frmSettingEx& dialog() {
  auto& form = Instance::get();
  form.load();
  return form;
}

}  // namespace

CSettingEx::CSettingEx() noexcept {
  try {
    dialog();
  } catch (...) {
  }
}

CSettingEx::~CSettingEx() { Instance::release(); }

void CSettingEx::Show() noexcept {
  try {
    Mshared::ShowFormAtCursor(dialog());
  } catch (...) {
  }
}

}  // namespace tollivor
