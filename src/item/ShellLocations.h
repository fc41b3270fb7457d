// The named shell locations an item may stand for instead of a path.
#pragma once

#include <optional>
#include <string>

#include "sdk/LocationNames.h"

namespace tollivor {

// The icon number of a special item's display name (compared exactly, case
// included), or nothing when the text names no special item.
std::optional<int> SpecialIconNumber(const std::u16string& name) noexcept;

bool IsOfferedSpecialItem(const std::u16string& name) noexcept;

}  // namespace tollivor
