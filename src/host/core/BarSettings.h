// The bar's settings as the bar reads them from the settings store: each
// key of the settings table, its default when missing, and each value read
// as the settings editor reads it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tollivor::host {

struct BarSettings {
  // Every key's text as read, in the table's order: the bar does not slide, so
  // most only inform.
  std::vector<std::pair<std::u16string, std::u16string>> asRead;

  bool showTips = true;
  std::int32_t enterColour = 0;      // the label under the pointer
  std::int32_t exitColour = 0;       // the label otherwise
  std::u16string backgroundPicture;  // "" for none
  bool buttonLook = false;           // entries look like buttons under the pointer
  std::u16string sound;              // "" for none
};

// The stored text of a key, or nothing when the key is missing.
using SettingLookup = std::function<std::optional<std::u16string>(std::u16string_view key)>;

BarSettings ReadBarSettings(const SettingLookup& lookup);

// The system colour number of a colour value with the top bit set.
inline std::optional<int> SystemColourNumber(std::int32_t colour) {
  if (colour >= 0) return std::nullopt;
  return static_cast<int>(static_cast<std::uint32_t>(colour) & 0xFFu);
}

}  // namespace tollivor::host
