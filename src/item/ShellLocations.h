// The named shell locations an item may stand for instead of a path.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "standins/HostHelpers.h"

namespace tollivor {

struct SpecialItem {
  std::u16string_view name;
  SpecialIcon icon;
  bool offered;  // in the dialog's list, and accepted by OK without a path test
};

// In the order of the dialog's list. "Fonts Folder" is recognised when
// loading a record, but not offered.
inline constexpr SpecialItem kSpecialItems[] = {
    {u"My Computer", kIconMyComputer, true},
    {u"Network Neighborhood", kIconNetworkNeighborhood, true},
    {u"Control Panel", kIconControlPanel, true},
    {u"Recycle Bin", kIconRecycleBin, true},
    {u"Printer Folder", kIconPrinterFolder, true},
    {u"Fonts Folder", kIconFontsFolder, false},
    {u"Desktop Folder", kIconDesktopFolder, true},
};

// The icon number of a special item's display name (compared exactly, case
// included), or nothing when the text names no special item.
std::optional<int> SpecialIconNumber(const std::u16string& name) noexcept;

bool IsOfferedSpecialItem(const std::u16string& name) noexcept;

}  // namespace tollivor
