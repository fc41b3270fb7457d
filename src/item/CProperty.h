// The item class the host talks to: it carries an item record into the item
// dialog, shows it, and hands back the dialog's result text.
#pragma once

#include <string>

#include "item/frmProperty.h"
#include "shared/FormClass.h"

namespace tollivor {

class CProperty : public FormClass<frmProperty> {
 public:
  std::u16string ItemInfo() noexcept { return resultText(); }
  // Fills the dialog from an item record. The one member that reports a
  // failure to the host: false when one of its steps failed.
  bool ItemInfo(const std::u16string& info) noexcept;
};

}  // namespace tollivor
