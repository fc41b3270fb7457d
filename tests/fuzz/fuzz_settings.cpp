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
#include "sdk/SettingKeys.h"
#include "sdk/StoredColour.h"

namespace {

using Text = std::u16string;

const char* const kTokens[] = {"click", "Click", "move", "100", "300", "1000", "30000", "200", "yes", "no",
                               "No", "right", "left", "top", "bottom", "up", "0", "1", "-2147483628",
                               "-2147483627", "255", " 255", "-0", "1e3", "2147483648", "-2147483649", "0x10",
                               "NaN", "abc", "1.5", "2.5", "C:\\pict.bmp", "16777216", "-2147483618", "\t7 "};
constexpr std::size_t kTokenCount = std::size(kTokens);
const char16_t kAlphabet[] = {u'1', u'5', u'-', u'+', u'.', u'e', u' ', u'0', u'9', 0x416};
constexpr std::size_t kKeyCount = std::size(tollivor::kSettingKeys);

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

// Read as a double first ("2.5000000000000000003" is 2.5 and rounds to 2), then taken when it is
// an RGB value or one of the system's 31 colours.
std::optional<std::int32_t> modelColour(const Text& text) {
  const std::string ascii(text.begin(), text.end());
  if (std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0x7F; }) || !isDecimalNotation(ascii))
    return std::nullopt;
  const double value = std::nearbyint(std::strtod(ascii.c_str(), nullptr));
  if (!(value >= -2147483648.0 && value <= 2147483647.0)) return std::nullopt;
  const auto bits = static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
  if (bits > 0xFFFFFF && (bits < 0x80000000u || bits > 0x8000001Eu)) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

Text number(std::int64_t n) { const auto s = std::to_string(n); return Text(s.begin(), s.end()); }

// What OK writes for each key on a fresh dialog, given what the store held: the option a text
// names, else the dialog's own (left for Direction, the first elsewhere); a colour, else the
// label's own (button face for the mouse-over one, button text for the normal one); a path.
std::map<Text, Text> modelWrites(const std::map<Text, std::optional<Text>>& stored) {
  using tollivor::SettingRule;
  std::map<Text, Text> writes;
  for (const auto& key : tollivor::kSettingKeys) {
    const Text name(key.name), text = stored.at(name).value_or(Text(key.fallback));
    const auto* const named = std::find(key.options.begin() + key.firstNamed, key.options.end(), text);
    const std::int32_t labelOwn = name == u"Color_mouseEnter" ? -2147483633 : -2147483630;
    if (key.rule == SettingRule::FirstOrOther) writes[name] = key.options[text == key.options[0] ? 0 : 1];
    if (key.rule == SettingRule::Named)
      writes[name] = text.empty() || named == key.options.end() ? key.options[name == u"Direction"] : *named;
    if (key.rule == SettingRule::Colour) writes[name] = number(modelColour(text).value_or(labelOwn));
    if (key.rule == SettingRule::Path) writes[name] = text;
  }
  return writes;
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
  for (std::size_t i = 0; i <= size && key < kKeyCount; ++i) {
    const std::uint8_t b = i < size ? data[i] : 0xFF;
    if (b == 0xFF) {
      const bool none = missing || (i == size && text.empty());
      stored[Text(kSettingKeys[key++].name)] = none ? std::nullopt : std::optional(text);
      text.clear(), missing = false;
    } else if (b == 0xFE) {
      missing = true;
    } else {
      const char* token = b < kTokenCount ? kTokens[b] : nullptr;
      text += token ? Text(token, token + std::strlen(token)) : Text(1, letter(kAlphabet, b));
    }
  }
  while (key < kKeyCount) stored[Text(kSettingKeys[key++].name)] = std::nullopt;

  system->settings.clear();
  system->settingWrites.clear();
  for (const auto& [name, value] : stored) {
    if (!value) continue;
    system->settings[{u"Quorin", u"Setting", name}] = *value;
    const std::string ascii(value->begin(), value->end());
    expect(ColourFromText(*value) == modelColour(*value), "colour text", ascii.c_str());
    if (const auto c = modelColour(*value)) expect(ColourFromText(ColourText(*c)) == c, "colour round trip");
  }
  {
    CSettingEx settings;  // a fresh dialog
    system->onNextShow([](forms::headless::ScriptedUser& user) { user.pressEnter(); });
    settings.Show();
  }
  const auto expected = modelWrites(stored);
  expect(system->settingWrites.size() == 11, "eleven writes");
  for (std::size_t i = 0; i < system->settingWrites.size() && i < kKeyCount; ++i) {
    const auto& write = system->settingWrites[i];
    expect(write.key == kSettingKeys[i].name, "key order");
    const std::string name(write.key.begin(), write.key.end());
    expect(write.value == expected.at(write.key), "value written for", name.c_str());
  }
  return 0;
}
