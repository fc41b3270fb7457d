// The settings store's texts: any text under any of the eleven keys (or the
// key missing) goes through CSettingEx's Show into the dialog, OK writes
// the dialog back, and what is written must match a plain model of the
// reading and writing tables on a fresh dialog. Colour text is also checked
// against a model of the conversion (decimal notation, blanks around it,
// rounded half to even, 32 bits) and for round trips.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "forms/KindTraits.h"
#include "forms/headless/HeadlessPlatform.h"
#include "settings/CSettingEx.h"
#include "settings/SettingsStore.h"

namespace {

using Text = std::u16string;

const char* const kTokens[] = {"click", "Click", "move", "100", "300", "1000", "30000", "200",
                               "yes", "no", "No", "right", "left", "top", "bottom", "up", "0",
                               "1", "-2147483628", "-2147483627", "255", " 255", "-0", "1e3",
                               "2147483648", "-2147483649", "0x10", "NaN", "abc", "1.5", "2.5",
                               "C:\\pict.bmp", "16777216", "-2147483618", "\t7 "};
constexpr std::size_t kTokenCount = sizeof kTokens / sizeof kTokens[0];
const char16_t kAlphabet[] = {u'1', u'5', u'-', u'+', u'.', u'e', u' ', u'0', u'9', 0x416};

const Text kKeys[] = {u"Behavior", u"Speed", u"ShowTip", u"SmartSlide", u"Direction",
                      u"Color_mouseEnter", u"Color_mouseExit", u"BackgroundPicture",
                      u"Appearance", u"Sound", u"GroupSetting"};

void expect(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "model disagrees: %s\n", what);
  std::abort();
}

// Blanks, a sign, digits with at most one point (at least one digit), an
// exponent, blanks. Scanned by hand: std::regex backtracks on the
// thousand-character texts the fuzzer builds and took most of its time.
bool isDecimalNotation(const std::string& s) {
  size_t i = 0;
  const auto blanks = [&] { while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i; };
  const auto digits = [&] {
    const size_t start = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    return i - start;
  };
  blanks();
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t mantissa = digits();
  if (i < s.size() && s[i] == '.') ++i, mantissa += digits();
  if (mantissa == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  blanks();
  return i == s.size();
}

std::optional<std::int32_t> modelColour(const Text& text) {
  std::string ascii;
  for (char16_t c : text) {
    if (c > 0x7F) return std::nullopt;
    ascii += static_cast<char>(c);
  }
  if (!isDecimalNotation(ascii)) return std::nullopt;
  // Read as a number is read as a double: "2.5000000000000000003" is 2.5
  // and rounds to 2, not 3.
  const double value = std::nearbyint(std::strtod(ascii.c_str(), nullptr));
  if (!(value >= -2147483648.0 && value <= 2147483647.0)) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

Text number(std::int32_t n) {
  const auto s = std::to_string(n);
  return Text(s.begin(), s.end());
}

// What OK writes for each key on a fresh dialog, given what the store held.
std::map<Text, Text> modelWrites(const std::map<Text, std::optional<Text>>& stored) {
  using namespace tollivor::forms;
  auto read = [&](const Text& key, const Text& fallback) {
    const auto& v = stored.at(key);
    return v ? *v : fallback;
  };
  std::map<Text, Text> w;
  w[u"Behavior"] = read(u"Behavior", u"click") == u"click" ? u"click" : u"move";
  const Text speed = read(u"Speed", u"100");
  w[u"Speed"] = speed == u"300" || speed == u"1000" || speed == u"30000" ? speed : u"100";
  w[u"ShowTip"] = read(u"ShowTip", u"yes") == u"yes" ? u"yes" : u"no";
  w[u"SmartSlide"] = read(u"SmartSlide", u"no") == u"no" ? u"no" : u"yes";
  const Text direction = read(u"Direction", u"right");
  w[u"Direction"] = direction == u"right" || direction == u"top" || direction == u"bottom"
                        ? direction
                        : u"left";
  const auto colour = [&](const Text& key, Colour fallback, Colour label) {
    const auto value = modelColour(read(key, number(fallback)));
    return number(value && isValidColour(*value) ? *value : label);
  };
  w[u"Color_mouseEnter"] =
      colour(u"Color_mouseEnter", k3DHighlightColour, traits(Kind::Label).back);
  w[u"Color_mouseExit"] = colour(u"Color_mouseExit", k3DDarkShadowColour, traits(Kind::Label).fore);
  w[u"BackgroundPicture"] = read(u"BackgroundPicture", u"");
  w[u"Appearance"] = read(u"Appearance", u"0") == u"0" ? u"0" : u"1";
  w[u"Sound"] = read(u"Sound", u"");
  w[u"GroupSetting"] = read(u"GroupSetting", u"0") == u"0" ? u"0" : u"1";
  return w;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tollivor;
  static auto* system = [] {
    auto* p = new forms::headless::HeadlessPlatform;
    forms::setPlatform(p);
    return p;
  }();

  // Eleven texts separated by 0xFF; 0xFE alone stands for a missing key.
  std::map<Text, std::optional<Text>> stored;
  std::size_t key = 0;
  Text text;
  bool missing = false;
  auto finish = [&] {
    if (key < 11) stored[kKeys[key]] = missing ? std::nullopt : std::optional<Text>(text);
    ++key, text.clear(), missing = false;
  };
  for (std::size_t i = 0; i < size && key < 11; ++i) {
    const std::uint8_t b = data[i];
    if (b == 0xFF) finish();
    else if (b == 0xFE) missing = true;
    else if (b < kTokenCount) text += Text(kTokens[b], kTokens[b] + std::char_traits<char>::length(kTokens[b]));
    else text += kAlphabet[b % (sizeof kAlphabet / 2)];
  }
  while (key < 11) {
    missing = missing || text.empty();
    finish();
  }

  // The colour conversion against its model, and a round trip.
  for (const auto& [name, value] : stored) {
    if (!value) continue;
    if (SettingsStore::ColourFromText(*value) != modelColour(*value)) {
      std::fprintf(stderr, "colour text: \"%s\"\n", std::string(value->begin(), value->end()).c_str());
      expect(false, "colour text");
    }
    if (const auto c = modelColour(*value))
      expect(SettingsStore::ColourFromText(SettingsStore::ColourText(*c)) == c, "colour round trip");
  }

  system->settings.clear();
  system->settingWrites.clear();
  for (const auto& [name, value] : stored)
    if (value) system->settings[{u"Quorin", u"Setting", name}] = *value;
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
    if (write.value != expected.at(write.key)) {
      std::fprintf(stderr, "key %zu\n", i);
      expect(false, "value written");
    }
  }
  return 0;
}
