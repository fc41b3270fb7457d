// The module entry and DllCanUnloadNow. Nothing is set up when the library
// loads: each class loads its own form when an object is created.
#include "Module.h"

#include <atomic>

#include "TypeLibrary.h"

namespace tollivor::component {

namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

}  // namespace

std::wstring modulePath() noexcept {
  try {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD n = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
      if (n == 0) return {};
      if (n < path.size()) {
        path.resize(n);
        return path;
      }
      path.resize(path.size() * 2);
    }
  } catch (...) {
    return {};
  }
}

void objectCreated() noexcept { ++g_objects; }
void objectDestroyed() noexcept { --g_objects; }

void lockServer(bool lock) noexcept {
  if (lock)
    ++g_locks;
  else
    --g_locks;
}

bool canUnload() noexcept { return g_objects == 0 && g_locks == 0; }

}  // namespace tollivor::component

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  // Thread notifications stay on: the C++ runtime frees each thread's
  // thread_local storage on them.
  if (reason == DLL_PROCESS_ATTACH) tollivor::component::g_module = instance;
  return TRUE;
}

STDAPI DllCanUnloadNow() {
  if (!tollivor::component::canUnload()) return S_FALSE;
  // Nothing of ours may stay cached in the automation library after we go.
  tollivor::component::releaseTypeLibrary();
  return S_OK;
}
