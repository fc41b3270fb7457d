#include "forms/win32/OwnerWindow.h"

namespace tollivor::forms::win32 {

namespace {

// Plain thread-local data: nothing runs at thread exit, and the leases keep
// the count, so the window is destroyed by the last lease on its own thread.
struct ThreadOwner {
  HWND window = nullptr;
  int leases = 0;
};
thread_local ThreadOwner t_owner;

}  // namespace

OwnerLease::OwnerLease() noexcept {
  if (t_owner.leases++ == 0) {
    // A system class: no class of ours to register or outlive the module.
    t_owner.window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"Tollivor", WS_POPUP, 0, 0, 0,
                                     0, nullptr, nullptr, nullptr, nullptr);
  }
}

OwnerLease::~OwnerLease() {
  if (--t_owner.leases == 0 && t_owner.window) {
    DestroyWindow(t_owner.window);
    t_owner.window = nullptr;
  }
}

HWND OwnerLease::window() const noexcept { return t_owner.window; }

}  // namespace tollivor::forms::win32
