#include "host/core/BarSettings.h"

namespace tollivor::host {

std::optional<std::int32_t> ParseColour(std::u16string_view text) {
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  const bool negative = !text.empty() && text.front() == u'-';
  if (negative || (!text.empty() && text.front() == u'+')) text.remove_prefix(1);
  if (text.empty() || text.size() > 10) return std::nullopt;
  std::int64_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

BarSettings ReadBarSettings(const SettingLookup& lookup) {
  BarSettings settings;
  auto read = [&](std::u16string_view key, std::u16string& into) {
    if (auto value = lookup(key)) into = *value;
  };
  read(u"Behavior", settings.behavior);
  read(u"Speed", settings.speed);
  read(u"Direction", settings.direction);
  read(u"SmartSlide", settings.smartSlide);
  read(u"GroupSetting", settings.groupSetting);
  read(u"BackgroundPicture", settings.backgroundPicture);
  read(u"Sound", settings.sound);

  // Read as the settings editor reads them, so that the bar shows what the
  // editor shows.
  if (auto tips = lookup(u"ShowTip")) settings.showTips = *tips == u"yes";
  if (auto look = lookup(u"Appearance")) settings.buttonLook = *look != u"0";
  // An unreadable colour keeps the default, as the editor keeps its colour.
  if (auto text = lookup(u"Color_mouseEnter"))
    settings.enterColour = ParseColour(*text).value_or(settings.enterColour);
  if (auto text = lookup(u"Color_mouseExit"))
    settings.exitColour = ParseColour(*text).value_or(settings.exitColour);
  return settings;
}

}  // namespace tollivor::host
