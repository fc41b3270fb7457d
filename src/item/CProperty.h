// The item class the host talks to: it carries an item record into the item
// dialog, shows it, and hands back the dialog's result text.
#pragma once

#include <string>

namespace tollivor {

class CProperty {
 public:
  CProperty() noexcept;   // Class_Initialize: loads this thread's item dialog, hidden
  ~CProperty();           // Class_Terminate: unloads it
  CProperty(const CProperty&) = delete;
  CProperty& operator=(const CProperty&) = delete;

  std::u16string ItemInfo() noexcept;
  // Fills the dialog from an item record. The one member that reports a
  // failure to the host: false when one of its steps failed.
  bool ItemInfo(const std::u16string& info) noexcept;
  void Show() noexcept;
};

}  // namespace tollivor
