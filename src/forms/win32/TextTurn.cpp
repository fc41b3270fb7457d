#include "forms/win32/TextTurn.h"

#include <windows.h>

namespace tollivor::win32 {

namespace {

// Made on first use and never deleted: it must outlive every thread that
// may still take a turn, and nothing runs for it at unload. Two threads
// that make one at once keep the first; no guarded static, whose guard
// brings the runtime's thread library (some 6 KB) into the DLL.
CRITICAL_SECTION* g_turns = nullptr;

CRITICAL_SECTION& turns() noexcept {
  if (auto* section = static_cast<CRITICAL_SECTION*>(InterlockedCompareExchangePointer(
          reinterpret_cast<void**>(&g_turns), nullptr, nullptr)))
    return *section;
  auto* made = new CRITICAL_SECTION;
  InitializeCriticalSection(made);
  if (InterlockedCompareExchangePointer(reinterpret_cast<void**>(&g_turns), made, nullptr)) {
    DeleteCriticalSection(made);
    delete made;
  }
  return *g_turns;
}

}  // namespace

TextTurn::TextTurn() noexcept { EnterCriticalSection(&turns()); }

TextTurn::~TextTurn() { LeaveCriticalSection(&turns()); }

}  // namespace tollivor::win32
