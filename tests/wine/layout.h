// A real dialog's layout against its control table: the client size, and
// each control's rectangle in pixels (twips / 15), relative to its container.
#pragma once

#include <windows.h>

#include "forms/Platform.h"

namespace tollivor::test {

// Checks the client size and every control but the lines, each found by its
// table name; returns how many were checked.
int expectTableLayout(HWND dialog, const forms::FormTable& table);

}  // namespace tollivor::test
