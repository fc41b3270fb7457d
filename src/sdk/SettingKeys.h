// The bar's settings as the per-user settings store keeps them: one text
// value per key under application "Quorin", section "Setting". The settings
// dialog reads and writes them; the host bar reads them. This table is the
// one list of the keys, their defaults and how their texts read.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tollivor {

inline constexpr char16_t kSettingsApp[] = u"Quorin";
inline constexpr char16_t kSettingsSection[] = u"Setting";

// How a stored text reads. An option setting's texts name the options of
// its page in order, and the selected option's text is written back.
enum class SettingRule {
  FirstOrOther,  // any text but the first selects the second option
  Named,         // a text selects the option it names, from `firstNamed` on
  Colour,        // signed decimal text of a colour value
  Path,          // a file path; "" for none
};

struct SettingKey {
  std::u16string_view name;
  std::u16string_view fallback;  // what a missing key reads as
  SettingRule rule;
  std::array<std::u16string_view, 4> options{};
  int firstNamed = 0;  // options before it are written but never read
};

// In the order in which they are read and written.
inline constexpr SettingKey kSettingKeys[] = {
    {u"Behavior", u"click", SettingRule::FirstOrOther, {u"click", u"move"}},
    {u"Speed", u"100", SettingRule::Named, {u"100", u"300", u"1000", u"30000"}, 1},
    {u"ShowTip", u"yes", SettingRule::FirstOrOther, {u"yes", u"no"}},
    {u"SmartSlide", u"no", SettingRule::Named, {u"yes", u"no"}, 1},
    {u"Direction", u"right", SettingRule::Named, {u"right", u"left", u"top", u"bottom"}},
    {u"Color_mouseEnter", u"-2147483628", SettingRule::Colour},  // system colour 20, 3-D highlight
    {u"Color_mouseExit", u"-2147483627", SettingRule::Colour},   // system colour 21, 3-D dark shadow
    {u"BackgroundPicture", u"", SettingRule::Path},
    {u"Appearance", u"0", SettingRule::FirstOrOther, {u"0", u"1"}},
    {u"Sound", u"", SettingRule::Path},
    {u"GroupSetting", u"0", SettingRule::FirstOrOther, {u"0", u"1"}},
};

// The key of that name; a name not in the table does not compile.
consteval const SettingKey& settingKey(std::u16string_view name) {
  for (const SettingKey& key : kSettingKeys)
    if (key.name == name) return key;
  throw "not a setting";
}

// The option a stored text selects; nothing leaves the options as they are.
// Matching is exact: no trimming, no case folding.
constexpr std::optional<int> SelectedOption(const SettingKey& key, std::u16string_view text) {
  if (key.rule == SettingRule::FirstOrOther) return text == key.options[0] ? std::nullopt : std::optional(1);
  if (key.rule != SettingRule::Named) return std::nullopt;
  for (int i = key.firstNamed; i < static_cast<int>(key.options.size()); ++i)
    if (!key.options[i].empty() && text == key.options[i]) return i;
  return std::nullopt;
}

}  // namespace tollivor
