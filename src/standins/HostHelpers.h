// The calling contract of the host's two closed helper libraries, as the
// component calls them and as our stand-ins implement them. Both use the
// standard calling convention; 32-bit handles are passed as 32-bit integers.
#pragma once

#include <cstdint>

#include "sdk/LocationNames.h"  // the icon numbers

#ifdef _WIN32
#define TOLLIVOR_HELPER_API __stdcall
#else
#define TOLLIVOR_HELPER_API
#endif

extern "C" {

// Sysgate.dll. Writes the handle of a large icon for the icon number into
// *icon (which the caller must release), or leaves it 0. `reserved` is 0.
// The result is not used by the component.
using GetSpecialLargeIconFn = std::int32_t(TOLLIVOR_HELPER_API*)(std::int32_t number,
                                                                 std::int32_t reserved,
                                                                 std::int32_t* icon);

// Pathwise.dll. `prompt` is ANSI text ending in a NUL; `*area` points at an
// area of blanks (followed by a NUL) that the function may write into: on a
// choice, the folder's full path and a NUL at its start, never more than the
// area holds; on no choice, nothing. The result is not used by the component.
using BrowseForFolderFn = std::int32_t(TOLLIVOR_HELPER_API*)(std::int32_t owner,
                                                             const char* prompt, char** area);
}
