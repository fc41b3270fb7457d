#include "item/ShellLocations.h"

#include <string_view>

namespace tollivor {

namespace {

struct SpecialItem {
  std::u16string_view name;
  int iconNumber;
  bool offered;
};

constexpr SpecialItem kSpecialItems[] = {
    {u"My Computer", 5, true},    {u"Network Neighborhood", 8, true},
    {u"Control Panel", 2, true},  {u"Recycle Bin", 1, true},
    {u"Printer Folder", 9, true}, {u"Fonts Folder", 6, false},
    {u"Desktop Folder", 3, true},
};

const SpecialItem* find(const std::u16string& name) noexcept {
  for (const auto& item : kSpecialItems)
    if (item.name == name) return &item;
  return nullptr;
}

}  // namespace

std::optional<int> SpecialIconNumber(const std::u16string& name) noexcept {
  const auto* item = find(name);
  return item ? std::optional<int>(item->iconNumber) : std::nullopt;
}

bool IsOfferedSpecialItem(const std::u16string& name) noexcept {
  const auto* item = find(name);
  return item && item->offered;
}

}  // namespace tollivor
