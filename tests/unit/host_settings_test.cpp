// How the bar reads the settings store: the defaults of missing keys and
// the reading of each value, which must agree with the settings editor's.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "host/core/BarSettings.h"

namespace tollivor::host {
namespace {

BarSettings readFrom(const std::map<std::u16string, std::u16string>& store) {
  return ReadBarSettings([&](std::u16string_view key) -> std::optional<std::u16string> {
    auto found = store.find(std::u16string(key));
    if (found == store.end()) return std::nullopt;
    return found->second;
  });
}

TEST(HostSettings, EmptyStoreGivesTheDefaults) {
  const BarSettings s = readFrom({});
  EXPECT_EQ(s.behavior, u"click");
  EXPECT_EQ(s.speed, u"100");
  EXPECT_EQ(s.direction, u"right");
  EXPECT_EQ(s.smartSlide, u"no");
  EXPECT_EQ(s.groupSetting, u"0");
  EXPECT_TRUE(s.showTips);
  EXPECT_FALSE(s.buttonLook);
  EXPECT_EQ(s.enterColour, static_cast<std::int32_t>(0x80000014u));
  EXPECT_EQ(s.exitColour, -2147483627);
  EXPECT_EQ(s.backgroundPicture, u"");
  EXPECT_EQ(s.sound, u"");
  EXPECT_EQ(SystemColourNumber(s.enterColour), 20);
  EXPECT_EQ(SystemColourNumber(s.exitColour), 21);
}

TEST(HostSettings, ValuesAreReadAsTheEditorReadsThem) {
  struct Case {
    const char* name;
    std::u16string key, value;
    bool showTips, buttonLook;
  };
  const Case cases[] = {
      {"tips off", u"ShowTip", u"no", false, false},
      {"tips: only yes is on", u"ShowTip", u"Yes", false, false},
      {"tips on", u"ShowTip", u"yes", true, false},
      {"button look", u"Appearance", u"1", true, true},
      {"button look: anything but 0", u"Appearance", u"x", true, true},
      {"no effect", u"Appearance", u"0", true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const BarSettings s = readFrom({{c.key, c.value}});
    EXPECT_EQ(s.showTips, c.showTips);
    EXPECT_EQ(s.buttonLook, c.buttonLook);
  }
  const BarSettings s = readFrom({{u"Behavior", u"move"}, {u"Speed", u"1000"}, {u"Direction", u"top"},
                                  {u"SmartSlide", u"yes"}, {u"GroupSetting", u"1"},
                                  {u"BackgroundPicture", u"C:\\b.bmp"}, {u"Sound", u"C:\\s.wav"}});
  EXPECT_EQ(s.behavior + s.speed + s.direction + s.smartSlide + s.groupSetting, u"move1000topyes1");
  EXPECT_EQ(s.backgroundPicture, u"C:\\b.bmp");
  EXPECT_EQ(s.sound, u"C:\\s.wav");
}

TEST(HostSettings, ColoursAndTheirFaults) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> colour;
  };
  const Case cases[] = {
      {"255", 255},
      {"-2147483628", static_cast<std::int32_t>(0x80000014u)},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999", std::nullopt},
      {" 16711680 ", 16711680},
      {"+7", 7},
      {"abc", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"12a", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::u16string text(c.text, c.text + std::char_traits<char>::length(c.text));
    EXPECT_EQ(ParseColour(text), c.colour);
  }
  // A colour that does not read keeps the default; the other colour still reads.
  const BarSettings s = readFrom({{u"Color_mouseExit", u"abc"}, {u"Color_mouseEnter", u"255"}});
  EXPECT_EQ(s.exitColour, kDefaultExitColour);
  EXPECT_EQ(s.enterColour, 255);
  EXPECT_EQ(SystemColourNumber(255), std::nullopt);
}

}  // namespace
}  // namespace tollivor::host
