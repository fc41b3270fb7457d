// The bar's settings as the bar reads them from the settings store
// (application "Quorin", section "Setting"), with the store's defaults and
// the settings editor's own reading of each value.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tollivor::host {

inline constexpr std::int32_t kDefaultEnterColour = static_cast<std::int32_t>(0x80000014u);
inline constexpr std::int32_t kDefaultExitColour = static_cast<std::int32_t>(0x80000015u);

struct BarSettings {
  // Shown as read: the bar does not slide, so these only inform.
  std::u16string behavior = u"click";
  std::u16string speed = u"100";
  std::u16string direction = u"right";
  std::u16string smartSlide = u"no";
  std::u16string groupSetting = u"0";

  bool showTips = true;
  std::int32_t enterColour = kDefaultEnterColour;  // the label under the pointer
  std::int32_t exitColour = kDefaultExitColour;    // the label otherwise
  std::u16string backgroundPicture;                // "" for none
  bool buttonLook = false;                         // entries look like buttons under the pointer
  std::u16string sound;                            // "" for none
};

// The stored text of a key, or nothing when the key is missing.
using SettingLookup = std::function<std::optional<std::u16string>(std::u16string_view key)>;

BarSettings ReadBarSettings(const SettingLookup& lookup);

// A stored colour: signed decimal text of a 32-bit integer, blanks around it
// allowed; nothing when it is not one.
std::optional<std::int32_t> ParseColour(std::u16string_view text);

// The system colour number of a colour value with the top bit set.
inline std::optional<int> SystemColourNumber(std::int32_t colour) {
  if (colour >= 0) return std::nullopt;
  return static_cast<int>(static_cast<std::uint32_t>(colour) & 0xFFu);
}

}  // namespace tollivor::host
