#include "forms/win32/OwnerWindow.h"

#include <atomic>
#include <vector>

#include "win32/Lock.h"

namespace tollivor::forms::win32 {

using namespace tollivor::win32;  // the shared Win32 helpers

namespace {

struct Owner {
  HWND window = nullptr;
  DWORD thread = 0;
};

// Every thread's window, for the release. A plain pointer freed by the
// release alone: nothing of it runs at process exit.
Lock g_lock;
std::vector<Owner>* g_owners = nullptr;
// Each release starts a new generation; a thread's window of an older one
// has been (or is about to be) destroyed.
std::atomic<unsigned> g_generation{0};

// Plain thread-local data: nothing runs at thread exit, when the window
// system destroys the thread's windows itself.
struct ThreadOwner {
  HWND window = nullptr;
  unsigned generation = 0;
};
thread_local ThreadOwner t_owner;

// Keeps the window for the release, dropping windows of threads that ended.
bool remember(HWND window) noexcept {
  try {
    const LockGuard lock(g_lock);
    if (!g_owners) g_owners = new std::vector<Owner>;
    std::erase_if(*g_owners, [](const Owner& o) { return !IsWindow(o.window); });
    g_owners->push_back({window, GetCurrentThreadId()});
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace

HWND threadOwnerWindow() noexcept {
  const unsigned generation = g_generation.load();
  if (t_owner.window && t_owner.generation == generation) return t_owner.window;
  // A system class: no class of ours to register or outlive the module.
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"Tollivor", WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, nullptr, nullptr);
  if (!window) return nullptr;
  if (!remember(window)) {
    DestroyWindow(window);
    return nullptr;
  }
  t_owner = {window, generation};
  return window;
}

void releaseOwnerWindows() noexcept {
  const LockGuard lock(g_lock);
  ++g_generation;
  if (!g_owners) return;
  const DWORD self = GetCurrentThreadId();
  for (const Owner& owner : *g_owners) {
    // A handle of an ended thread may name someone else's window by now.
    if (GetWindowThreadProcessId(owner.window, nullptr) != owner.thread) continue;
    if (owner.thread == self)
      DestroyWindow(owner.window);
    else
      PostMessageW(owner.window, WM_CLOSE, 0, 0);  // the static class's default: destroy
  }
  delete g_owners;
  g_owners = nullptr;
}

}  // namespace tollivor::forms::win32
