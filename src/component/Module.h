// What the whole library shares: the count of live objects and server locks
// that DllCanUnloadNow answers from.
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

}  // namespace tollivor::component
