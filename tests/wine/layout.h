// A real dialog's layout against its control table: the client size, and
// each control's rectangle in pixels (twips / 15).
#pragma once

#include <windows.h>

#include <functional>

#include "forms/Platform.h"

namespace tollivor::test {

// Finds the window of one table row; nullptr leaves the row unchecked.
using ControlLocator = std::function<HWND(const forms::ControlRow& row)>;

// The child whose text is the row's caption; nullptr for rows with none.
HWND controlByCaption(HWND dialog, const forms::ControlRow& row);

// Checks the client size and every located control (lines are skipped).
// A drop-down combo box's height is its font's, so only its other sides
// are checked. Returns how many controls were checked.
int expectTableLayout(HWND dialog, const forms::FormTable& table, const ControlLocator& locate);

}  // namespace tollivor::test
