// What the whole library shares: its own path, and the count of live objects
// and server locks that DllCanUnloadNow answers from.
#pragma once

#include <windows.h>

#include <string>

namespace tollivor::component {

// The full path of this DLL; empty when it cannot be read.
std::wstring modulePath() noexcept;

// Every COM object of the library (class factories included) counts itself
// from construction to destruction.
void objectCreated() noexcept;
void objectDestroyed() noexcept;
void lockServer(bool lock) noexcept;
bool canUnload() noexcept;

}  // namespace tollivor::component
