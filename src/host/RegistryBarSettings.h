// Reads the bar's settings from the registry, where the settings editor
// writes them.
#pragma once

#include "host/core/BarSettings.h"

namespace tollivor::host {

BarSettings ReadStoredSettings();

}  // namespace tollivor::host
