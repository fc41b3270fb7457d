// The settings class the host talks to: Show fills the settings dialog from
// the per-user settings store and shows it; OK writes the store back.
#pragma once

#include "settings/frmSettingEx.h"
#include "shared/FormClass.h"

namespace tollivor {

class CSettingEx : public FormClass<frmSettingEx> {
 public:
  void Show() noexcept;
};

}  // namespace tollivor
