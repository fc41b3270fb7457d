#include "forms/win32/TextTurn.h"

#include <windows.h>

namespace tollivor::win32 {

namespace {

// Made on first use and never deleted: it must outlive every thread that
// may still take a turn, and nothing runs for it at unload.
CRITICAL_SECTION& turns() noexcept {
  static CRITICAL_SECTION* section = [] {
    auto* made = new CRITICAL_SECTION;
    InitializeCriticalSection(made);
    return made;
  }();
  return *section;
}

}  // namespace

TextTurn::TextTurn() noexcept { EnterCriticalSection(&turns()); }

TextTurn::~TextTurn() { LeaveCriticalSection(&turns()); }

}  // namespace tollivor::win32
