#include "settings/SettingsStore.h"

#include <string>

#include "forms/IgnoringErrors.h"
#include "shared/DecimalRounding.h"
#include "settings/frmSettingEx.h"

namespace tollivor::SettingsStore {

namespace {

using forms::IgnoringErrors;
using forms::platform;

// A missing key reads as its default.
std::u16string Read(const char16_t* key, const std::u16string& fallback) {
  return platform().readSetting(kApp, kSection, key).value_or(fallback);
}

void Write(const char16_t* key, const std::u16string& text) {
  platform().writeSetting(kApp, kSection, key, text);
}

bool IsBlank(char16_t c) noexcept { return c == u' ' || c == u'\t'; }
bool IsDigit(char16_t c) noexcept { return c >= u'0' && c <= u'9'; }

// Plain decimal notation only: sign, digits, an optional fraction and an
// optional exponent. Hexadecimal, "NaN" and "Inf" are not numbers here.
bool IsDecimalNumber(std::u16string_view text) noexcept {
  size_t i = 0;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
  size_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  if (i < text.size() && text[i] == u'.')
    for (++i; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
    size_t exponentDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == text.size();
}

}  // namespace

std::optional<forms::Colour> ColourFromText(const std::u16string& text) noexcept {
  try {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    const std::u16string_view number(text.data() + first, last - first);
    if (!IsDecimalNumber(number)) return std::nullopt;
    const auto value = DecimalRounding::RoundToInt32(number);
    if (!value) return std::nullopt;
    return static_cast<forms::Colour>(*value);
  } catch (...) {
    return std::nullopt;
  }
}

std::u16string ColourText(forms::Colour colour) {
  const std::string digits = std::to_string(colour);
  return std::u16string(digits.begin(), digits.end());
}

// Reading, one row per key. Comparisons are exact: no trimming, no case
// folding. Selecting an option clears the others of its page; setting a
// check box runs its enabling rule.
void ApplyStoredSettings(frmSettingEx& f) noexcept {
  IgnoringErrors([&] {
    if (Read(u"Behavior", u"click") != u"click") f.OptMove.setValue(1);
  });
  IgnoringErrors([&] {
    const auto speed = Read(u"Speed", u"100");
    if (speed == u"300") f.OptFast.setValue(1);
    else if (speed == u"1000") f.OptVeryFast.setValue(1);
    else if (speed == u"30000") f.optNoMove.setValue(1);
  });
  IgnoringErrors([&] {
    if (Read(u"ShowTip", u"yes") != u"yes") f.OptNoToolTip.setValue(1);
  });
  IgnoringErrors([&] {
    if (Read(u"SmartSlide", u"no") == u"no") f.optSmartSlide[1].setValue(1);
  });
  IgnoringErrors([&] {
    const auto direction = Read(u"Direction", u"right");
    if (direction == u"right") f.optSlideDirection[0].setValue(1);
    else if (direction == u"left") f.optSlideDirection[1].setValue(1);
    else if (direction == u"top") f.optSlideDirection[2].setValue(1);
    else if (direction == u"bottom") f.optSlideDirection[3].setValue(1);
  });
  IgnoringErrors([&] {
    const auto text = Read(u"Color_mouseEnter", ColourText(forms::k3DHighlightColour));
    if (const auto colour = text.empty() ? std::nullopt : ColourFromText(text))
      f.lblSample2.setBackColour(*colour);
  });
  IgnoringErrors([&] {
    const auto text = Read(u"Color_mouseExit", ColourText(forms::k3DDarkShadowColour));
    if (const auto colour = text.empty() ? std::nullopt : ColourFromText(text)) {
      f.lblSample2.setForeColour(*colour);
      f.lblSample.setForeColour(*colour);
    }
  });
  IgnoringErrors([&] {
    const auto picture = Read(u"BackgroundPicture", u"");
    if (!picture.empty()) {
      f.txtBgPict.setText(picture);
      f.chkUseBg.setValue(1);
    }
  });
  IgnoringErrors([&] {
    if (Read(u"Appearance", u"0") != u"0") f.OptAppearence[1].setValue(1);
  });
  IgnoringErrors([&] {
    const auto sound = Read(u"Sound", u"");
    f.txtSoundFile.setText(sound);
    f.chkSoundFile.setValue(sound.empty() ? 0 : 1);
  });
  IgnoringErrors([&] {
    if (Read(u"GroupSetting", u"0") != u"0") f.OptGroup[1].setValue(1);
  });
}

// Writing, one row per key, in the reading table's order. Paths are written
// as they stand; nothing is checked.
void StoreSettings(frmSettingEx& f) noexcept {
  IgnoringErrors([&] { Write(u"Behavior", f.OptClick.value() ? u"click" : u"move"); });
  IgnoringErrors([&] {
    Write(u"Speed", f.OptVeryFast.value() ? u"1000"
                    : f.OptFast.value()   ? u"300"
                    : f.optNoMove.value() ? u"30000"
                                          : u"100");
  });
  IgnoringErrors([&] { Write(u"ShowTip", f.OptToolTip.value() ? u"yes" : u"no"); });
  IgnoringErrors([&] { Write(u"SmartSlide", f.optSmartSlide[0].value() ? u"yes" : u"no"); });
  IgnoringErrors([&] {
    const char16_t* const names[] = {u"right", u"left", u"top", u"bottom"};
    for (size_t i = 0; i < std::size(names); ++i)
      if (f.optSlideDirection[i].value()) return Write(u"Direction", names[i]);
  });
  IgnoringErrors([&] {
    if (const auto colour = f.lblSample2.backColour()) Write(u"Color_mouseEnter", ColourText(*colour));
  });
  IgnoringErrors([&] {
    if (const auto colour = f.lblSample2.foreColour()) Write(u"Color_mouseExit", ColourText(*colour));
  });
  IgnoringErrors([&] { Write(u"BackgroundPicture", f.chkUseBg.value() ? f.txtBgPict.text() : u""); });
  IgnoringErrors([&] { Write(u"Appearance", f.OptAppearence[0].value() ? u"0" : u"1"); });
  IgnoringErrors([&] { Write(u"Sound", f.chkSoundFile.value() ? f.txtSoundFile.text() : u""); });
  IgnoringErrors([&] { Write(u"GroupSetting", f.OptGroup[0].value() ? u"0" : u"1"); });
}

}  // namespace tollivor::SettingsStore
