// The special items: named shell locations that an item record may hold
// instead of a path, and the icon numbers the host's Sysgate.dll draws them
// by. Part of the developer kit, so that a host reads the same names as the
// item dialog.
#pragma once

#include <cstdint>
#include <string_view>

// The icon numbers that Sysgate's GetSpecialLargeIcon knows.
enum SpecialIcon : std::int32_t {
  kIconRecycleBin = 1,
  kIconControlPanel = 2,
  kIconDesktopFolder = 3,
  kIconMyComputer = 5,
  kIconFontsFolder = 6,
  kIconNetworkNeighborhood = 8,
  kIconPrinterFolder = 9,
  kIconDefaultGroup = 10,  // not a shell location: the bar's own group icon
};

namespace tollivor {

struct SpecialItem {
  std::u16string_view name;
  SpecialIcon icon;
  bool offered;  // in the item dialog's list, and accepted by OK without a path test
};

// In the order of the item dialog's list. "Fonts Folder" is recognised in a
// record, but not offered.
inline constexpr SpecialItem kSpecialItems[] = {
    {u"My Computer", kIconMyComputer, true},
    {u"Network Neighborhood", kIconNetworkNeighborhood, true},
    {u"Control Panel", kIconControlPanel, true},
    {u"Recycle Bin", kIconRecycleBin, true},
    {u"Printer Folder", kIconPrinterFolder, true},
    {u"Fonts Folder", kIconFontsFolder, false},
    {u"Desktop Folder", kIconDesktopFolder, true},
};

// The special item a record's target names (compared exactly, case
// included), or nullptr when it names none.
constexpr const SpecialItem* FindSpecialItem(std::u16string_view name) noexcept {
  for (const auto& item : kSpecialItems)
    if (item.name == name) return &item;
  return nullptr;
}

}  // namespace tollivor
