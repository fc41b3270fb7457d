// The settings dialog: what OK writes for each stored text, Cancel, the
// pages, the colours with their sample, and the picture and sound choosers.
#include <algorithm>

#include "host/core/BarSettings.h"
#include "settings/CSettingEx.h"
#include "sdk/SettingKeys.h"
#include "settings/frmSettingEx.h"
#include "unit/harness.h"

namespace tollivor::test {
namespace {

using KeyValues = std::vector<std::pair<Text, Text>>;
constexpr forms::Colour kBlue = 0xFF0000, kGreen = 0x00FF00, kRed = 0xFF;

// What OK writes on a fresh dialog over an empty store, key by key in the table's order, with
// some keys changed.
KeyValues freshWritesWith(const KeyValues& changes = {}) {
  const Text texts[] = {u"click", u"100", u"yes", u"no", u"right", u"-2147483628", u"-2147483627",
                        u"", u"0", u"", u"0"};
  KeyValues writes;
  for (size_t i = 0; i < std::size(texts); ++i) writes.emplace_back(kSettingKeys[i].name, texts[i]);
  for (const auto& [key, value] : changes)
    std::ranges::find(writes, key, &KeyValues::value_type::first)->second = value;
  return writes;
}

class Settings : public Editor<CSettingEx, frmSettingEx> {
 protected:
  void store(const Text& key, const Text& value) { system.settings[{u"Quorin", u"Setting", key}] = value; }
  // Shows the dialog while the user acts, then OK; answers the keys written meanwhile.
  KeyValues ok(Script steps = [](ScriptedUser&) {}) {
    const size_t before = system.settingWrites.size();
    show([&](ScriptedUser& user) { steps(user), user.click("cmdOK"); });
    KeyValues written;
    for (const auto& w : std::vector(system.settingWrites.begin() + before, system.settingWrites.end())) {
      EXPECT_EQ(w.app + u"\\" + w.section, u"Quorin\\Setting");
      written.emplace_back(w.key, w.value);
    }
    return written;
  }
  std::optional<forms::Colour> sample() { return form().lblSample.foreColour(); }
};

// One stored key on a fresh dialog, and what OK then writes for it (colours: the test below).
// Checked boxes with empty paths write empty text; an empty Sound unchecks its box at every Show,
// while the picture's stays as the user left it.
TEST_F(Settings, EachStoredTextIsReadExactlyAndWrittenBack) {
  EXPECT_EQ(ok([](ScriptedUser& user) {
              user.chooseTab("SSTab1", 6), user.check("chkUseBg", true);
              user.chooseTab("SSTab1", 8), user.check("chkSoundFile", true);
            }),
            freshWritesWith());
  EXPECT_EQ(ok([&](ScriptedUser&) {
              EXPECT_EQ(form().chkUseBg.value(), 1);
              EXPECT_EQ(form().chkSoundFile.value(), 0);
            }),
            freshWritesWith());
  const struct { const char16_t *key, *stored, *written; } cases[] = {
      {u"Behavior", u"Click", u"move"}, {u"Behavior", u"", u"move"}, {u"Speed", u"300", u"300"},
      {u"Speed", u"1000", u"1000"}, {u"Speed", u"30000", u"30000"}, {u"Speed", u"200", u"100"},
      {u"ShowTip", u"YES", u"no"}, {u"SmartSlide", u"yes", u"yes"}, {u"SmartSlide", u"No", u"yes"},
      {u"Direction", u"left", u"left"}, {u"Direction", u"top", u"top"}, {u"Direction", u"bottom", u"bottom"},
      {u"Direction", u"Right", u"left"} /* unknown: the design's left stays */, {u"Appearance", u"00", u"1"},
      {u"BackgroundPicture", u"C:\\bar.bmp", u"C:\\bar.bmp"},
      {u"Sound", u"missing.wav", u"missing.wav"}, {u"GroupSetting", u"1", u"1"}, {u"GroupSetting", u"", u"1"},
  };
  for (const auto& c : cases) {
    const Text key = c.key, stored = c.stored;
    system.settings.clear();
    store(key, stored);
    reload();
    EXPECT_EQ(ok(), freshWritesWith({{key, c.written}})) << "case " << (&c - cases);
  }
}

// The editor and the bar read a stored colour alike: both take it, or both refuse it and keep
// their own (a fresh editor its label's, button face and text; the bar the defaults).
TEST_F(Settings, EditorAndBarReadAStoredColourAlike) {
  const std::optional<forms::Colour> refused;
  const struct { const char16_t* stored; std::optional<forms::Colour> colour; } cases[] = {
      {u"16777215", 0xFFFFFF}, {u"16777216", refused}, {u"-1", refused}, {u"0", 0},
      {u"-2147483648", INT32_MIN}, {u"-2147483618", -2147483618},  // system colours 0 and 30
      {u"-2147483617", refused}, {u"-2147483649", refused}, {u"2147483648", refused},
      {u"", refused}, {u" \t", refused}, {u" +255\t", 255}, {u"1e3", 1000}, {u"2.5", 2}, {u"3.5", 4},
      {u"-0.4", 0}, {u"abc", refused}, {u"0x10", refused}, {u"12a", refused}};
  for (const auto& c : cases) {
    system.settings.clear();
    store(u"Color_mouseEnter", c.stored), store(u"Color_mouseExit", c.stored);
    const auto bar = host::ReadBarSettings([&](std::u16string_view key) -> std::optional<Text> {
      const auto found = system.settings.find({u"Quorin", u"Setting", Text(key)});
      return found == system.settings.end() ? std::nullopt : std::optional(found->second);
    });
    reload();
    show([](ScriptedUser& user) { user.click("cmdCancel"); });
    const auto i = &c - cases;
    EXPECT_EQ(form().lblSample2.backColour(), c.colour.value_or(-2147483633)) << "editor, case " << i;
    EXPECT_EQ(form().lblSample2.foreColour(), c.colour.value_or(-2147483630)) << "editor, case " << i;
    EXPECT_EQ(std::pair(bar.enterColour, bar.exitColour),
              std::pair(c.colour.value_or(-2147483628), c.colour.value_or(-2147483627))) << "bar, case " << i;
  }
}

// Cancel writes nothing, and the next Show sets only what the store holds: a stored "100", or a
// SmartSlide other than "no", leaves its options too. What lies on a page behind the one in front
// is out of reach.
TEST_F(Settings, CancelWritesNothingAndMissingKeysLeaveTheirOptions) {
  store(u"Direction", u"top"), store(u"Speed", u"100"), store(u"SmartSlide", u"yes");
  show([&](ScriptedUser& user) {
    user.select("OptMove");
    user.chooseTab("SSTab1", 1), user.select("OptVeryFast");
    user.chooseTab("SSTab1", 2), user.select("OptNoToolTip"), user.select("OptFast");  // page 1 now behind
    user.chooseTab("SSTab1", 3), user.select("optSlideDirection", 3);
    user.chooseTab("SSTab1", 4), user.select("optSmartSlide", 1);
    user.click("cmdCancel");
  });
  EXPECT_TRUE(system.settingWrites.empty());
  EXPECT_EQ(ok(), freshWritesWith({{u"Behavior", u"move"}, {u"Speed", u"1000"}, {u"ShowTip", u"no"},
                                   {u"SmartSlide", u"no"}, {u"Direction", u"top"}}));
}

// Each colour dialog starts from the colour it edits. A new normal colour shows at once; the
// mouse-over one only while the mouse is over the sample, not over a page, label or colour button.
TEST_F(Settings, ColoursAndTheSampleThatFollowsTheMouse) {
  store(u"Color_mouseExit", u"16711680");
  for (const auto answer : {std::optional<forms::Colour>(), std::optional(kGreen), std::optional(kRed)})
    system.answerNextColour(answer);
  const auto written = ok([&](ScriptedUser& user) {
    user.chooseTab("SSTab1", 5);
    user.click("cmdNormalState"), user.click("cmdMouseOver");
    EXPECT_EQ(sample(), kBlue) << "not before the mouse moves over the sample";
    const struct { const char* control; int index; forms::Colour after; } moves[] = {
        {"lblSample", -1, kGreen}, {"SSTab1", -1, kGreen}, {"Picture1", 5, kBlue}, {"lblSample", -1, kGreen},
        {"Label1", 9, kBlue}, {"lblSample", -1, kGreen}, {"cmdNormalState", -1, kBlue}, {"lblSample", -1, kGreen},
        {"cmdMouseOver", -1, kBlue}};
    for (const auto& move : moves) {
      user.moveMouse(move.control, move.index);
      EXPECT_EQ(sample(), move.after) << move.control;
    }
    user.click("cmdNormalState");
    EXPECT_EQ(sample(), kRed);
  });
  ASSERT_EQ(system.colourDialogs.size(), 3u);
  EXPECT_EQ(system.colourDialogs[0].colour, kBlue);
  EXPECT_EQ(system.colourDialogs[1].colour, forms::k3DHighlightColour);
  EXPECT_EQ(written, freshWritesWith({{u"Color_mouseEnter", u"65280"}, {u"Color_mouseExit", u"255"}}));
}

// Each file dialog opens in the folder of the path box's file when it
// exists, else wherever the shared dialog was left, by either button.
TEST_F(Settings, BrowseOpensInTheCurrentFilesFolderElseWhereTheLastOneLeftIt) {
  for (const auto* file : {u"C:\\pics\\bar.bmp", u"C:\\wav\\in.wav"}) system.files[file] = 32;
  system.files[u"C:\\wav"] = forms::kAttrDirectory;
  store(u"BackgroundPicture", u"C:\\pics\\bar.bmp");
  const struct { int tab; const char16_t *typed, *initDir; std::optional<Text> chosen; } steps[] = {
      {6, nullptr, u"C:\\pics"}, {8, u"", u"C:\\pics"}, {8, u"C:\\wav\\gone.wav", u"C:\\pics"},
      {8, u"C:\\wav", u"C:\\pics"}, {8, u"C:\\wav\\in.wav", u"C:\\wav"}, {6, u"", u"C:\\wav", u"C:\\new.bmp"}};
  const auto written = ok([&](ScriptedUser& user) {
    user.chooseTab("SSTab1", 8), user.check("chkSoundFile", true);
    for (const auto& step : steps) {
      SCOPED_TRACE(&step - steps);
      const char* box = step.tab == 6 ? "txtBgPict" : "txtSoundFile";
      user.chooseTab("SSTab1", step.tab);
      if (step.typed) user.type(box, step.typed);
      const auto before = user.text(box);
      system.answerNextOpen(step.chosen);
      user.click(step.tab == 6 ? "cmdBrowsePict" : "cmdSoundBrowse");
      EXPECT_EQ(system.openDialogs.back().initDir, step.initDir);
      EXPECT_EQ(user.text(box), step.chosen.value_or(before));
    }
  });
  ASSERT_EQ(system.openDialogs.size(), 6u);
  EXPECT_NE(system.openDialogs[0].filter.find(u"|*.bmp|"), Text::npos);
  EXPECT_NE(system.openDialogs[1].filter.find(u"|*.wav|"), Text::npos);
  EXPECT_EQ(written, freshWritesWith({{u"BackgroundPicture", u"C:\\new.bmp"}, {u"Sound", u"C:\\wav\\in.wav"}}));
}

// A dropped file goes to the path box of the page in front, if the user could type there; other
// pages and unchecked boxes let it go. Unchecked, a box disables Browse and keeps its path, but OK
// writes "".
TEST_F(Settings, ADropFillsTheEnabledPathBoxOfThePageInFront) {
  const Text picture = u"C:\\bar.bmp", sound = u"C:\\in.wav", dropped = u"C:\\d.wav", late = u"C:\\e.wav";
  store(u"BackgroundPicture", picture);
  store(u"Sound", sound);
  const struct { int tab; const char* uncheck; Text drop, pictureAfter, soundAfter; } steps[] = {
      {0, nullptr, dropped, picture, sound}, {5, nullptr, dropped, picture, sound},
      {7, nullptr, dropped, picture, sound}, {9, nullptr, dropped, picture, sound},
      {6, nullptr, dropped, dropped, sound}, {8, nullptr, dropped, dropped, dropped},
      {6, "chkUseBg", late, dropped, dropped}, {8, "chkSoundFile", late, dropped, dropped}};
  EXPECT_EQ(ok([&](ScriptedUser& user) {
              for (const auto& step : steps) {
                user.chooseTab("SSTab1", step.tab);
                if (step.uncheck) user.check(step.uncheck, false);
                user.dropFiles({step.drop, u"C:\\second.bmp"});
                EXPECT_EQ(std::pair(form().txtBgPict.text(), form().txtSoundFile.text()),
                          std::pair(step.pictureAfter, step.soundAfter)) << (&step - steps);
              }
              EXPECT_FALSE(form().cmdBrowsePict.enabled() || form().cmdSoundBrowse.enabled());
            }),
            freshWritesWith());
}

}  // namespace
}  // namespace tollivor::test
