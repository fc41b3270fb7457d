#include "item/ShellLocations.h"

namespace tollivor {

std::optional<int> SpecialIconNumber(const std::u16string& name) noexcept {
  const auto* item = FindSpecialItem(name);
  return item ? std::optional<int>(item->icon) : std::nullopt;
}

bool IsOfferedSpecialItem(const std::u16string& name) noexcept {
  const auto* item = FindSpecialItem(name);
  return item && item->offered;
}

}  // namespace tollivor
