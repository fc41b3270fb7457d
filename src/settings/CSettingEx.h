// The settings class the host talks to: Show fills the settings dialog from
// the per-user settings store and shows it; OK writes the store back.
#pragma once

namespace tollivor {

class CSettingEx {
 public:
  CSettingEx() noexcept;  // Class_Initialize: loads this thread's settings dialog, hidden
  ~CSettingEx();          // Class_Terminate: unloads it
  CSettingEx(const CSettingEx&) = delete;
  CSettingEx& operator=(const CSettingEx&) = delete;

  void Show() noexcept;
};

}  // namespace tollivor
