#include "forms/win32/TextTurn.h"

#include <windows.h>

namespace tollivor::forms::win32 {

namespace {

// Made once, on first use, and never deleted: it must outlive every thread
// that may still take a turn, and nothing runs for it at unload. The
// system's one-time initialisation, not a guarded static, whose guard
// brings the runtime's thread library (some 6 KB) into the DLL.
INIT_ONCE g_made = INIT_ONCE_STATIC_INIT;
CRITICAL_SECTION g_turns;

BOOL CALLBACK makeTurns(INIT_ONCE*, void*, void**) noexcept {
  InitializeCriticalSection(&g_turns);
  return TRUE;
}

CRITICAL_SECTION& turns() noexcept {
  InitOnceExecuteOnce(&g_made, makeTurns, nullptr, nullptr);
  return g_turns;
}

}  // namespace

TextTurn::TextTurn() noexcept { EnterCriticalSection(&turns()); }

TextTurn::~TextTurn() { LeaveCriticalSection(&turns()); }

}  // namespace tollivor::forms::win32
