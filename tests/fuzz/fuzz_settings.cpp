// Any text under each of the eleven keys (or none) goes through CSettingEx's Show into a fresh
// dialog and OK writes it back: each value must match a model of reading and writing. Colour text
// is also checked against a model of the conversion (decimal, blanks around, half to even, 32 bits).
#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "check.h"
#include "forms/headless/HeadlessPlatform.h"
#include "settings/CSettingEx.h"
#include "settings/SettingsStore.h"

namespace {

using Text = std::u16string;

const char* const kTokens[] = {"click", "Click", "move", "100", "300", "1000", "30000", "200", "yes", "no",
                               "No", "right", "left", "top", "bottom", "up", "0", "1", "-2147483628",
                               "-2147483627", "255", " 255", "-0", "1e3", "2147483648", "-2147483649", "0x10",
                               "NaN", "abc", "1.5", "2.5", "C:\\pict.bmp", "16777216", "-2147483618", "\t7 "};
constexpr std::size_t kTokenCount = std::size(kTokens);
const char16_t kAlphabet[] = {u'1', u'5', u'-', u'+', u'.', u'e', u' ', u'0', u'9', 0x416};
const Text kKeys[] = {u"Behavior", u"Speed", u"ShowTip", u"SmartSlide", u"Direction", u"Color_mouseEnter",
                      u"Color_mouseExit", u"BackgroundPicture", u"Appearance", u"Sound", u"GroupSetting"};

// Blanks, a sign, digits with at most one point (at least one digit), an
// exponent, blanks. By hand: std::regex backtracks on the fuzzer's long texts.
bool isDecimalNotation(const std::string& s) {
  size_t i = 0;  // s[s.size()] is the terminating NUL: no bounds checks
  const auto skip = [&](const char* set) { while (s[i] && std::strchr(set, s[i])) ++i; };
  const auto digits = [&] { const size_t start = i; return skip("0123456789"), i - start; };
  const auto sign = [&] { i += s[i] == '+' || s[i] == '-'; };
  skip(" \t"), sign();
  size_t mantissa = digits();
  if (s[i] == '.') ++i, mantissa += digits();
  if (s[i] == 'e' || s[i] == 'E') {
    if (++i, sign(), digits() == 0) return false;
  }
  return skip(" \t"), mantissa > 0 && i == s.size();
}

std::optional<std::int32_t> modelColour(const Text& text) {
  const std::string ascii(text.begin(), text.end());
  if (std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0x7F; }) || !isDecimalNotation(ascii))
    return std::nullopt;
  // Read as a double first: "2.5000000000000000003" is 2.5 and rounds to 2.
  const double value = std::nearbyint(std::strtod(ascii.c_str(), nullptr));
  if (!(value >= -2147483648.0 && value <= 2147483647.0)) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

Text number(std::int64_t n) { const auto s = std::to_string(n); return Text(s.begin(), s.end()); }

// What OK writes for each key on a fresh dialog, given what the store held.
std::map<Text, Text> modelWrites(const std::map<Text, std::optional<Text>>& stored) {
  const auto read = [&](const Text& key, const Text& fallback) { return stored.at(key).value_or(fallback); };
  const auto oneOf = [](const Text& value, std::initializer_list<const char16_t*> known, const Text& other) {
    return std::find(known.begin(), known.end(), value) != known.end() ? value : other;
  };
  // An RGB value, or one of the system's 31 colours; else the label's own colour stays.
  const auto colour = [&](const Text& key, std::int64_t fallback, std::int64_t label) {
    const auto v = modelColour(read(key, number(fallback - 0x100000000)));
    const auto bits = v ? static_cast<std::uint32_t>(*v) : 0x01000000u;
    const bool valid = bits <= 0xFFFFFF || (bits >= 0x80000000u && bits <= 0x8000001Eu);
    return number(valid ? *v : label - 0x100000000);
  };
  return {{u"Behavior", read(u"Behavior", u"click") == u"click" ? u"click" : u"move"},
          {u"Speed", oneOf(read(u"Speed", u"100"), {u"300", u"1000", u"30000"}, u"100")},
          {u"ShowTip", read(u"ShowTip", u"yes") == u"yes" ? u"yes" : u"no"},
          {u"SmartSlide", read(u"SmartSlide", u"no") == u"no" ? u"no" : u"yes"},
          {u"Direction", oneOf(read(u"Direction", u"right"), {u"right", u"top", u"bottom"}, u"left")},
          {u"Color_mouseEnter", colour(u"Color_mouseEnter", 0x80000014, 0x8000000F)},  // 3-D light; face
          {u"Color_mouseExit", colour(u"Color_mouseExit", 0x80000015, 0x80000012)},    // 3-D dark; text
          {u"BackgroundPicture", read(u"BackgroundPicture", u"")},
          {u"Appearance", read(u"Appearance", u"0") == u"0" ? u"0" : u"1"},
          {u"Sound", read(u"Sound", u"")},
          {u"GroupSetting", read(u"GroupSetting", u"0") == u"0" ? u"0" : u"1"}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tollivor;
  static auto* system = [] {
    auto* p = new forms::headless::HeadlessPlatform;
    forms::setPlatform(p);
    return p;
  }();
  // Eleven texts separated by 0xFF; 0xFE, or nothing, stands for a missing key.
  std::map<Text, std::optional<Text>> stored;
  std::size_t key = 0;
  Text text;
  bool missing = false;
  for (std::size_t i = 0; i <= size && key < 11; ++i) {
    const std::uint8_t b = i < size ? data[i] : 0xFF;
    if (b == 0xFF) {
      stored[kKeys[key++]] = missing || (i == size && text.empty()) ? std::nullopt : std::optional(text);
      text.clear(), missing = false;
    } else if (b == 0xFE) {
      missing = true;
    } else {
      const char* token = b < kTokenCount ? kTokens[b] : nullptr;
      text += token ? Text(token, token + std::strlen(token)) : Text(1, letter(kAlphabet, b));
    }
  }
  while (key < 11) stored[kKeys[key++]] = std::nullopt;

  system->settings.clear();
  system->settingWrites.clear();
  for (const auto& [name, value] : stored) {
    if (!value) continue;
    system->settings[{u"Quorin", u"Setting", name}] = *value;
    const std::string ascii(value->begin(), value->end());
    expect(SettingsStore::ColourFromText(*value) == modelColour(*value), "colour text", ascii.c_str());
    if (const auto c = modelColour(*value))
      expect(SettingsStore::ColourFromText(SettingsStore::ColourText(*c)) == c, "colour round trip");
  }
  {
    CSettingEx settings;  // a fresh dialog
    system->onNextShow([](forms::headless::ScriptedUser& user) { user.pressEnter(); });
    settings.Show();
  }
  const auto expected = modelWrites(stored);
  expect(system->settingWrites.size() == 11, "eleven writes");
  for (std::size_t i = 0; i < system->settingWrites.size() && i < 11; ++i) {
    const auto& write = system->settingWrites[i];
    expect(write.key == kKeys[i], "key order");
    const std::string name(write.key.begin(), write.key.end());
    expect(write.value == expected.at(write.key), "value written for", name.c_str());
  }
  return 0;
}
