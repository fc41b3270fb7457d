// What the whole library shares: the counts that DllCanUnloadNow answers
// from (live objects, server locks, and calls still running).
#pragma once

#include <windows.h>

#include <string>

namespace tollivor::component {

// Every COM object of the library (class factories included) counts itself
// from construction to destruction.
void objectCreated() noexcept;
void objectDestroyed() noexcept;
void lockServer(bool lock) noexcept;
bool canUnload() noexcept;

// Held for the length of every member call. A host may release its last
// object from inside a dialog's modal loop (a timer, say) and then ask the
// library whether it can go: while any call is still on the stack, it
// cannot.
class CallInProgress {
 public:
  CallInProgress() noexcept;
  ~CallInProgress();
  CallInProgress(const CallInProgress&) = delete;
  CallInProgress& operator=(const CallInProgress&) = delete;
};

}  // namespace tollivor::component
