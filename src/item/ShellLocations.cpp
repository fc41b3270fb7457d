#include "item/ShellLocations.h"

namespace tollivor {

namespace {

const SpecialItem* find(const std::u16string& name) noexcept {
  for (const auto& item : kSpecialItems)
    if (item.name == name) return &item;
  return nullptr;
}

}  // namespace

std::optional<int> SpecialIconNumber(const std::u16string& name) noexcept {
  const auto* item = find(name);
  return item ? std::optional<int>(item->icon) : std::nullopt;
}

bool IsOfferedSpecialItem(const std::u16string& name) noexcept {
  const auto* item = find(name);
  return item && item->offered;
}

}  // namespace tollivor
