// The group class the host talks to: it carries a group record into the
// group dialog, shows it, and hands back the dialog's result text.
#pragma once

#include <string>

namespace tollivor {

class CGroup {
 public:
  CGroup() noexcept;  // Class_Initialize: loads this thread's group dialog, hidden
  ~CGroup();          // Class_Terminate: unloads it
  CGroup(const CGroup&) = delete;
  CGroup& operator=(const CGroup&) = delete;

  std::u16string ItemInfo() noexcept;
  void ItemInfo(const std::u16string& info) noexcept;
  void Show() noexcept;
};

}  // namespace tollivor
