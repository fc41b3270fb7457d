// The named shell locations an item may stand for instead of a path.
#pragma once

#include <optional>
#include <string>

namespace tollivor {

// The icon number of a special item's display name (compared exactly, case
// included), or nothing when the text names no special item.
std::optional<int> SpecialIconNumber(const std::u16string& name) noexcept;

// True for the special items the dialog offers in its list and OK accepts
// without a path test. "Fonts Folder" is recognised when loading, but not here.
bool IsOfferedSpecialItem(const std::u16string& name) noexcept;

// The offered names, in the order of the dialog's list.
inline constexpr const char16_t* kOfferedSpecialItems[] = {
    u"My Computer",    u"Network Neighborhood", u"Control Panel",
    u"Recycle Bin",    u"Printer Folder",       u"Desktop Folder",
};

}  // namespace tollivor
