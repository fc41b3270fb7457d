// The module entry and DllCanUnloadNow. Nothing is set up when the library
// loads: each class loads its own form when an object is created.
#include "Module.h"

#include <atomic>

#include "TypeLibrary.h"
#include "forms/win32/HelperLibrary.h"
#include "forms/win32/OwnerWindow.h"

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

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID staying) {
  // Thread notifications stay on: the C++ runtime frees each thread's
  // thread_local storage on them.
  // A host may free the library without asking DllCanUnloadNow; the owner
  // windows must not outlive it. At process exit (staying set) the window
  // system takes them with everything else.
  if (reason == DLL_PROCESS_DETACH && !staying) tollivor::forms::win32::releaseOwnerWindows();
  return TRUE;
}

STDAPI DllCanUnloadNow() {
  if (!tollivor::component::canUnload()) return S_FALSE;
  // Nothing of ours may stay cached in the automation library after we go,
  // and the helper libraries we loaded and the threads' owner windows go
  // with us.
  tollivor::component::releaseTypeLibrary();
  tollivor::forms::win32::releaseHelperLibraries();
  tollivor::forms::win32::releaseOwnerWindows();
  return S_OK;
}
