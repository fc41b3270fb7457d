#include "settings/SettingsMapping.h"

#include <optional>
#include <string>
#include <vector>

#include "forms/IgnoringErrors.h"
#include "sdk/SettingKeys.h"
#include "sdk/StoredColour.h"
#include "settings/frmSettingEx.h"

namespace tollivor::SettingsMapping {

namespace {

using forms::Control;
using forms::IgnoringErrors;
using forms::settingsStorage;

constexpr const SettingKey& kMouseOverColour = settingKey(u"Color_mouseEnter");
constexpr const SettingKey& kPicture = settingKey(u"BackgroundPicture");

// A missing key reads as its default.
std::u16string Read(const SettingKey& key) {
  return settingsStorage()
      .readSetting(kSettingsApp, kSettingsSection, std::u16string(key.name))
      .value_or(std::u16string(key.fallback));
}

// The option buttons of an option setting, in the order of its texts.
std::vector<Control> OptionsOf(const frmSettingEx& f, const SettingKey& key) {
  if (&key == &settingKey(u"Behavior")) return {f.OptClick, f.OptMove};
  if (&key == &settingKey(u"Speed")) return {f.OptSlow, f.OptFast, f.OptVeryFast, f.optNoMove};
  if (&key == &settingKey(u"ShowTip")) return {f.OptToolTip, f.OptNoToolTip};
  if (&key == &settingKey(u"SmartSlide")) return {f.optSmartSlide.begin(), f.optSmartSlide.end()};
  if (&key == &settingKey(u"Direction")) return {f.optSlideDirection.begin(), f.optSlideDirection.end()};
  if (&key == &settingKey(u"Appearance")) return {f.OptAppearence.begin(), f.OptAppearence.end()};
  if (&key == &settingKey(u"GroupSetting")) return {f.OptGroup.begin(), f.OptGroup.end()};
  return {};
}

// One key's stored text into the dialog. Selecting an option clears the
// others of its page; setting a check box runs its enabling rule. The
// mouse-over colour is lblSample2's background, the normal colour its text
// and the sample's.
void Apply(const frmSettingEx& f, const SettingKey& key, const std::u16string& text) {
  switch (key.rule) {
    case SettingRule::FirstOrOther:
    case SettingRule::Named:
      if (const auto option = SelectedOption(key, text)) OptionsOf(f, key).at(*option).setValue(1);
      return;
    case SettingRule::Colour:
      if (const auto colour = ColourFromText(text)) {
        if (&key == &kMouseOverColour) {
          f.lblSample2.setBackColour(*colour);
        } else {
          f.lblSample2.setForeColour(*colour);
          f.lblSample.setForeColour(*colour);
        }
      }
      return;
    case SettingRule::Path:  // "" leaves the picture's box, but unchecks the sound's
      if (&key == &kPicture) {
        if (!text.empty()) f.txtBgPict.setText(text), f.chkUseBg.setValue(1);
      } else {
        f.txtSoundFile.setText(text);
        f.chkSoundFile.setValue(text.empty() ? 0 : 1);
      }
      return;
  }
}

// What OK writes for one key: the selected option's text, a colour's
// decimal text, a path as it stands when its box is checked. Nothing when
// the control gives nothing to write.
std::optional<std::u16string> Stored(const frmSettingEx& f, const SettingKey& key) {
  switch (key.rule) {
    case SettingRule::FirstOrOther:
    case SettingRule::Named: {
      const auto options = OptionsOf(f, key);
      for (size_t i = 0; i < options.size(); ++i)
        if (options[i].value()) return std::u16string(key.options[i]);
      return std::nullopt;
    }
    case SettingRule::Colour: {
      const auto colour = &key == &kMouseOverColour ? f.lblSample2.backColour() : f.lblSample2.foreColour();
      return colour ? std::optional(ColourText(*colour)) : std::nullopt;
    }
    case SettingRule::Path:
      if (&key == &kPicture) return f.chkUseBg.value() ? f.txtBgPict.text() : u"";
      return f.chkSoundFile.value() ? f.txtSoundFile.text() : u"";
  }
  return std::nullopt;
}

}  // namespace

void ApplyStoredSettings(frmSettingEx& f) noexcept {
  for (const SettingKey& key : kSettingKeys) IgnoringErrors([&] { Apply(f, key, Read(key)); });
}

void StoreSettings(frmSettingEx& f) noexcept {
  for (const SettingKey& key : kSettingKeys) {
    IgnoringErrors([&] {
      if (const auto text = Stored(f, key))
        settingsStorage().writeSetting(kSettingsApp, kSettingsSection, std::u16string(key.name), *text);
    });
  }
}

}  // namespace tollivor::SettingsMapping
