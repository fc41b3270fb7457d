// The module entry and DllCanUnloadNow. Nothing is set up when the library
// loads: each class loads its own form when an object is created.
#include "Module.h"

#include <atomic>

#include "TypeLibrary.h"
#include "forms/win32/HelperLibrary.h"

namespace tollivor::component {

namespace {

std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};
std::atomic<long> g_calls{0};

}  // namespace

void objectCreated() noexcept { ++g_objects; }
void objectDestroyed() noexcept { --g_objects; }

void lockServer(bool lock) noexcept {
  if (lock)
    ++g_locks;
  else
    --g_locks;
}

CallInProgress::CallInProgress() noexcept { ++g_calls; }
CallInProgress::~CallInProgress() { --g_calls; }

bool canUnload() noexcept { return g_objects == 0 && g_locks == 0 && g_calls == 0; }

}  // namespace tollivor::component

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
  // Thread notifications stay on: the C++ runtime frees each thread's
  // thread_local storage on them.
  return TRUE;
}

STDAPI DllCanUnloadNow() {
  if (!tollivor::component::canUnload()) return S_FALSE;
  // Nothing of ours may stay cached in the automation library after we go,
  // and the helper libraries we loaded go with us.
  tollivor::component::releaseTypeLibrary();
  tollivor::forms::win32::releaseHelperLibraries();
  return S_OK;
}
