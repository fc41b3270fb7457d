// The settings store as the host sees it: what a Show reads from each key,
// what OK writes back, and what bad stored text or a failing write does.
#include <gtest/gtest.h>

#include <climits>

#include "settings/SettingsStore.h"
#include "unit/settings_fixture.h"

namespace tollivor::test {
namespace {

TEST_F(SettingsEditor, EmptyStoreShowsTheDefaultsAndOkWritesElevenKeysInOrder) {
  const auto written = showAndOk([&](ScriptedUser&) {
    auto& f = form();
    EXPECT_EQ(f.OptClick.value(), 1);
    EXPECT_EQ(f.OptSlow.value(), 1);
    EXPECT_EQ(f.OptToolTip.value(), 1);
    EXPECT_EQ(f.optSmartSlide[1].value(), 1) << "a missing key reads as \"no\"";
    EXPECT_EQ(f.optSlideDirection[0].value(), 1) << "a missing key reads as \"right\"";
    EXPECT_EQ(f.lblSample2.backColour(), forms::k3DHighlightColour);
    EXPECT_EQ(f.lblSample2.foreColour(), forms::k3DDarkShadowColour);
    EXPECT_EQ(f.lblSample.foreColour(), forms::k3DDarkShadowColour);
    EXPECT_EQ(f.chkUseBg.value(), 0);
    EXPECT_FALSE(f.txtBgPict.enabled());
    EXPECT_EQ(f.OptAppearence[0].value(), 1);
    EXPECT_EQ(f.chkSoundFile.value(), 0) << "an empty Sound unchecks the box";
    EXPECT_FALSE(f.txtSoundFile.enabled());
    EXPECT_FALSE(f.cmdSoundBrowse.enabled());
    EXPECT_EQ(f.OptGroup[0].value(), 1);
  });
  EXPECT_EQ(written, kFreshWrites);
  EXPECT_FALSE(window().isVisible()) << "OK hides the dialog";
}

// The colours a fresh dialog's hidden label holds before any Show: what a
// stored colour that cannot be used leaves in place.
constexpr char16_t kDesignBack[] = u"design back";
constexpr char16_t kDesignFore[] = u"design fore";

// One stored key on a fresh dialog, and what OK then writes for it: the
// reading table's row followed by the writing table's.
TEST_F(SettingsEditor, EachKeyIsReadExactlyAndWrittenBack) {
  const struct {
    const char16_t* key;
    const char16_t* stored;
    const char16_t* written;
  } cases[] = {
      {u"Behavior", u"click", u"click"},
      {u"Behavior", u"Click", u"move"},  // exact case: anything but "click" is move
      {u"Behavior", u"", u"move"},
      {u"Speed", u"300", u"300"},
      {u"Speed", u"1000", u"1000"},
      {u"Speed", u"30000", u"30000"},
      {u"Speed", u"200", u"100"},  // unknown: Slow stays
      {u"Speed", u" 300", u"100"},
      {u"ShowTip", u"no", u"no"},
      {u"ShowTip", u"YES", u"no"},
      {u"SmartSlide", u"no", u"no"},
      {u"SmartSlide", u"yes", u"yes"},  // only "no" is off
      {u"SmartSlide", u"No", u"yes"},
      {u"Direction", u"left", u"left"},
      {u"Direction", u"top", u"top"},
      {u"Direction", u"bottom", u"bottom"},
      {u"Direction", u"up", u"left"},  // unknown: the design's index 1 stays
      {u"Direction", u"Right", u"left"},
      {u"Color_mouseEnter", u"255", u"255"},
      {u"Color_mouseEnter", u"", kDesignBack},
      {u"Color_mouseExit", u"65280", u"65280"},
      {u"Color_mouseExit", u"abc", kDesignFore},
      {u"Color_mouseExit", u"16777216", kDesignFore},  // not a colour the system knows
      {u"BackgroundPicture", u"C:\\pictures\\bar.bmp", u"C:\\pictures\\bar.bmp"},
      {u"Appearance", u"1", u"1"},
      {u"Appearance", u"00", u"1"},
      {u"Sound", u"C:\\sounds\\in.wav", u"C:\\sounds\\in.wav"},
      {u"Sound", u"missing.wav", u"missing.wav"},  // never checked
      {u"GroupSetting", u"1", u"1"},
      {u"GroupSetting", u"", u"1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key, c.key + std::char_traits<char16_t>::length(c.key)) + " = \"" +
                 std::string(c.stored, c.stored + std::char_traits<char16_t>::length(c.stored)) + "\"");
    system.settings.clear();
    store(c.key, c.stored);
    reload();
    std::u16string written = c.written;
    if (written == kDesignBack) written = SettingsStore::ColourText(*form().lblSample2.backColour());
    if (written == kDesignFore) written = SettingsStore::ColourText(*form().lblSample2.foreColour());
    ASSERT_NE(written, u"-2147483628") << "the design colour is not the stored default";
    EXPECT_EQ(showAndOk(), freshWritesWith({{c.key, written}}));
  }
}

TEST_F(SettingsEditor, StoredPathsCheckTheirBoxAndEnableBrowse) {
  store(u"BackgroundPicture", u"C:\\pictures\\bar.bmp");
  store(u"Sound", u"C:\\sounds\\in.wav");
  show([&](ScriptedUser& user) {
    EXPECT_EQ(form().chkUseBg.value(), 1);
    EXPECT_TRUE(form().txtBgPict.enabled());
    EXPECT_TRUE(form().cmdBrowsePict.enabled());
    EXPECT_EQ(form().chkSoundFile.value(), 1);
    EXPECT_TRUE(form().cmdSoundBrowse.enabled());
    user.pressEsc();
  });
}

TEST_F(SettingsEditor, ColourTextIsANumberRoundedToThirtyTwoBits) {
  const struct {
    std::u16string text;
    std::optional<forms::Colour> colour;
  } cases[] = {
      {u"255", 255},
      {u" 255 ", 255},
      {u"-0", 0},
      {u"+7", 7},
      {u"2.5", 2},  // half to even
      {u"3.5", 4},
      {u"1e3", 1000},
      {u"-2147483628", forms::k3DHighlightColour},
      {u"-2147483648", INT_MIN},
      {u"2147483647", INT_MAX},
      {u"2147483648", std::nullopt},
      {u"-2147483649", std::nullopt},
      {u"1e10", std::nullopt},
      {u"0x10", std::nullopt},
      {u"&HFF", std::nullopt},
      {u"NaN", std::nullopt},
      {u"Infinity", std::nullopt},
      {u"abc", std::nullopt},
      {u"", std::nullopt},
      {u"-", std::nullopt},
      {u"1e", std::nullopt},
      {u"12 34", std::nullopt},
      {std::u16string(40000, u'9'), std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.begin() + std::min<size_t>(c.text.size(), 20)));
    EXPECT_EQ(SettingsStore::ColourFromText(c.text), c.colour);
  }
  EXPECT_EQ(SettingsStore::ColourText(INT_MIN), u"-2147483648");
}

// Any text in every key: nothing breaks and each key still gets written.
TEST_F(SettingsEditor, OddTextInEveryKeyStillLetsEveryKeyBeWritten) {
  const std::u16string texts[] = {u"",    std::u16string(40000, u'x'), u"1e10", u" 255", u"-0",
                                  u"0x10", u"2147483648", u"-2147483649", u"NaN"};
  for (const auto& text : texts) {
    SCOPED_TRACE(std::string(text.begin(), text.begin() + std::min<size_t>(text.size(), 20)));
    for (const auto& entry : kFreshWrites) store(entry.first, text);
    reload();
    const auto designBack = SettingsStore::ColourText(*form().lblSample2.backColour());
    const auto designFore = SettingsStore::ColourText(*form().lblSample2.foreColour());
    const auto written = showAndOk();
    ASSERT_EQ(written.size(), 11u);
    const auto colour = SettingsStore::ColourFromText(text);
    EXPECT_EQ(written[5].second, colour ? SettingsStore::ColourText(*colour) : designBack);
    EXPECT_EQ(written[6].second, colour ? SettingsStore::ColourText(*colour) : designFore);
    EXPECT_EQ(written[7].second, text) << "a stored picture path is taken as it is";
    EXPECT_EQ(written[9].second, text);
  }
}

TEST_F(SettingsEditor, AFailingWriteSkipsOnlyItsKey) {
  system.failingSettingKeys = {u"Speed", u"Color_mouseExit"};
  auto expected = kFreshWrites;
  std::erase_if(expected, [](const auto& e) { return e.first == u"Speed" || e.first == u"Color_mouseExit"; });
  EXPECT_EQ(showAndOk(), expected);
  EXPECT_FALSE(window().isVisible());
}

TEST_F(SettingsEditor, CheckedBoxesWithEmptyPathsWriteEmptyText) {
  const auto written = showAndOk([](ScriptedUser& user) {
    user.chooseTab("SSTab1", 6);
    user.check("chkUseBg", true);
    user.chooseTab("SSTab1", 8);
    user.check("chkSoundFile", true);
  });
  EXPECT_EQ(written, kFreshWrites);

  // The dialog stays loaded: the picture box stays as the user left it, but
  // the empty Sound unchecks its box at every Show.
  show([&](ScriptedUser& user) {
    EXPECT_EQ(form().chkUseBg.value(), 1);
    EXPECT_EQ(form().chkSoundFile.value(), 0);
    user.pressEsc();
  });
  reload();
  show([&](ScriptedUser& user) {
    EXPECT_EQ(form().chkUseBg.value(), 0) << "a fresh dialog";
    user.pressEsc();
  });
}

TEST_F(SettingsEditor, CancelWritesNothingAndTheNextShowKeepsWhatTheStoreLeaves) {
  store(u"Direction", u"top");
  EXPECT_TRUE(show([](ScriptedUser& user) {
                user.chooseTab("SSTab1", 1);
                user.select("OptFast");
                user.chooseTab("SSTab1", 2);
                user.select("OptNoToolTip");
                user.chooseTab("SSTab1", 3);
                user.select("optSlideDirection", 3);
                user.click("cmdCancel");
              }).empty());
  EXPECT_TRUE(system.settingWrites.empty());

  // Speed and ShowTip are missing: their defaults change nothing; Direction
  // is stored and sets its option again.
  EXPECT_EQ(showAndOk(), freshWritesWith({{u"Speed", u"300"}, {u"ShowTip", u"no"}, {u"Direction", u"top"}}));
}

}  // namespace
}  // namespace tollivor::test
