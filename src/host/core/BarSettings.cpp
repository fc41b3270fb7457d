#include "host/core/BarSettings.h"

#include "sdk/SettingKeys.h"
#include "sdk/StoredColour.h"

namespace tollivor::host {

BarSettings ReadBarSettings(const SettingLookup& lookup) {
  const auto read = [&](const SettingKey& key) {
    return lookup(key.name).value_or(std::u16string(key.fallback));
  };
  // A colour the editor refuses keeps the default, as the editor keeps its colour.
  const auto colour = [&](const SettingKey& key) {
    return ColourFromText(read(key)).value_or(ColourFromText(key.fallback).value_or(0));
  };
  BarSettings s;
  for (const SettingKey& key : kSettingKeys) s.asRead.emplace_back(key.name, read(key));
  s.backgroundPicture = read(settingKey(u"BackgroundPicture"));
  s.sound = read(settingKey(u"Sound"));
  // Tooltips unless the text selects "no"; the button look when it selects "1".
  s.showTips = SelectedOption(settingKey(u"ShowTip"), read(settingKey(u"ShowTip"))) != 1;
  s.buttonLook = SelectedOption(settingKey(u"Appearance"), read(settingKey(u"Appearance"))) == 1;
  s.enterColour = colour(settingKey(u"Color_mouseEnter"));
  s.exitColour = colour(settingKey(u"Color_mouseExit"));
  return s;
}

}  // namespace tollivor::host
