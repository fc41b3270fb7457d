#include "settings/SettingsStore.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "forms/IgnoringErrors.h"
#include "settings/frmSettingEx.h"

namespace tollivor::SettingsStore {

namespace {

using forms::IgnoringErrors;
using forms::settingsStorage;

// A missing key reads as its default.
std::u16string Read(const char16_t* key, const std::u16string& fallback) {
  return settingsStorage().readSetting(kApp, kSection, key).value_or(fallback);
}

void Write(const char16_t* key, const std::u16string& text) {
  settingsStorage().writeSetting(kApp, kSection, key, text);
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

// What reading a number in plain decimal notation as a double and rounding
// that half to even gives, worked out on the digits: the C library's
// conversion would add some 20 KB to the 32-bit library. The value is
// rounded half to even as it stands, except that one within half a double's
// step of n + 0.5 reads as exactly n + 0.5 first ("2.5000000000000000003"
// gives 2). nullopt: 10^10 or more, beyond every 32-bit integer.
std::optional<std::int64_t> RoundedDecimal(std::u16string_view text) {
  const bool negative = !text.empty() && text[0] == u'-';
  std::string digits;  // all the mantissa's digits, without the point
  std::int64_t point = 0;  // how many of them lie before the point
  size_t i = (!text.empty() && (text[0] == u'+' || text[0] == u'-')) ? 1 : 0;
  for (; i < text.size() && (IsDigit(text[i]) || text[i] == u'.'); ++i) {
    if (text[i] == u'.') point = -static_cast<std::int64_t>(digits.size()) - 1;
    else digits += static_cast<char>(text[i] - u'0');
  }
  point = point < 0 ? -point - 1 : static_cast<std::int64_t>(digits.size());
  if (i < text.size()) {  // the exponent, held within a range that cannot overflow
    const bool down = text[++i] == u'-';
    if (text[i] == u'+' || text[i] == u'-') ++i;
    std::int64_t exponent = 0;
    for (; i < text.size(); ++i)
      exponent = std::min<std::int64_t>(exponent * 10 + (text[i] - u'0'), 1000000);
    point += down ? -exponent : exponent;
  }
  const size_t first = digits.find_first_not_of('\0');
  if (first == std::string::npos) return 0;
  digits.erase(0, first);
  point -= static_cast<std::int64_t>(first);
  if (point > 10) return std::nullopt;
  std::uint64_t n = 0;  // the integer part
  for (size_t k = 0; k < static_cast<size_t>(std::max<std::int64_t>(point, 0)); ++k)
    n = n * 10 + (k < digits.size() ? digits[k] : 0);
  if (n >= 10000000000ull) return std::nullopt;
  // The fraction f, times 2^m: a whole part and whether anything is left.
  // A fraction that starts beyond 60 zeros counts as the smallest one.
  std::string fraction =
      point >= 0 ? digits.substr(std::min<size_t>(static_cast<size_t>(point), digits.size()))
                 : std::string(static_cast<size_t>(std::min<std::int64_t>(-point, 61)), '\0') + digits;
  int e = -1;  // the binary exponent of n + 0.5
  while (e < 40 && (n >> (e + 1)) != 0) ++e;
  const int m = 56 - e;
  std::uint64_t whole = 0;
  for (int step = 0; step < m; ++step) {
    int carry = 0;
    for (size_t k = fraction.size(); k-- > 0;) {
      const int v = fraction[k] * 2 + carry;
      fraction[k] = static_cast<char>(v % 10);
      carry = v / 10;
    }
    whole = whole * 2 + static_cast<std::uint64_t>(carry);
  }
  const bool rest = fraction.find_first_not_of('\0') != std::string::npos;
  // A double's half step above n + 0.5 is 2^(e-53), below it the same,
  // but 2^-55 below 0.5, which starts a binade; scaled by 2^m: 8 and 4.
  const std::int64_t d = static_cast<std::int64_t>(whole) - (std::int64_t{1} << (m - 1));
  const std::int64_t above = 8, below = n == 0 ? 4 : 8;
  std::uint64_t rounded = n;
  if (d > above || (d == above && rest)) rounded = n + 1;
  else if (d >= -below) rounded = n + (n & 1);  // exactly n + 0.5 as a double: to even
  const auto value = static_cast<std::int64_t>(rounded);
  return negative ? -value : value;
}

}  // namespace

std::optional<forms::Colour> ColourFromText(const std::u16string& text) noexcept {
  try {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    const std::u16string_view number(text.data() + first, last - first);
    if (!IsDecimalNumber(number)) return std::nullopt;
    const auto value = RoundedDecimal(number);
    if (!value || *value < -2147483648LL || *value > 2147483647LL) return std::nullopt;
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
