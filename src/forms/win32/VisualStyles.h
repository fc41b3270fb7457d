// Visual styles for the windows this module makes, whatever the host's own
// manifest says: the module's manifest (resource 2, the one the loader uses
// for a DLL's own activation context) asks for Common Controls 6, and an
// ActivationScope makes that context current while windows, message boxes
// and common dialogs are created. A module without that manifest (a test
// program linking the platform directly) gets the host's controls.
#pragma once

#include <windows.h>

namespace tollivor::forms::win32 {

class ActivationScope {
 public:
  ActivationScope() noexcept;
  ~ActivationScope();
  ActivationScope(const ActivationScope&) = delete;
  ActivationScope& operator=(const ActivationScope&) = delete;

  // True when the module's manifest context is the current one.
  bool active() const noexcept { return active_; }

 private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

}  // namespace tollivor::forms::win32
