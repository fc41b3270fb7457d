// A hidden top-level window per thread that owns every form of the thread.
// An owned window gets no task-bar button of its own, which is how the
// dialogs stay out of the task bar while being shown without a visible owner.
#pragma once

#include <windows.h>

namespace tollivor::forms::win32 {

// Holds the thread's owner window for as long as it lives: the first lease
// on a thread creates the window, the last one destroys it.
class OwnerLease {
 public:
  OwnerLease() noexcept;
  ~OwnerLease();
  OwnerLease(const OwnerLease&) = delete;
  OwnerLease& operator=(const OwnerLease&) = delete;

  HWND window() const noexcept;
};

}  // namespace tollivor::forms::win32
