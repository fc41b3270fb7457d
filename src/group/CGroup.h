// The group class the host talks to: it carries a group record into the
// group dialog, shows it, and hands back the dialog's result text.
#pragma once

#include <string>

#include "group/frmGroup.h"
#include "shared/FormClass.h"

namespace tollivor {

class CGroup : public FormClass<frmGroup> {
 public:
  std::u16string ItemInfo() noexcept { return resultText(); }
  void ItemInfo(const std::u16string& info) noexcept;
};

}  // namespace tollivor
