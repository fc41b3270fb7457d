// The settings dialog: what OK writes for each stored text, Cancel, the
// pages, the colours with their sample, and the picture and sound choosers.
#include <optional>
#include <utility>

#include "settings/CSettingEx.h"
#include "settings/frmSettingEx.h"
#include "unit/harness.h"

namespace tollivor::test {
namespace {

using KeyValues = std::vector<std::pair<std::u16string, std::u16string>>;

// What OK writes on a fresh dialog over an empty store, in this order.
const KeyValues kFreshWrites = {
    {u"Behavior", u"click"}, {u"Speed", u"100"}, {u"ShowTip", u"yes"}, {u"SmartSlide", u"no"},
    {u"Direction", u"right"}, {u"Color_mouseEnter", u"-2147483628"}, {u"Color_mouseExit", u"-2147483627"},
    {u"BackgroundPicture", u""}, {u"Appearance", u"0"}, {u"Sound", u""}, {u"GroupSetting", u"0"}};
// A label's own colours (button face, button text): what a stored colour that cannot be used leaves.
constexpr char16_t kLabelBack[] = u"-2147483633", kLabelFore[] = u"-2147483630";

KeyValues freshWritesWith(const KeyValues& changes) {
  KeyValues expected = kFreshWrites;
  for (const auto& [key, value] : changes)
    for (auto& entry : expected)
      if (entry.first == key) entry.second = value;
  return expected;
}

class Settings : public Editor<CSettingEx, frmSettingEx> {
 protected:
  void store(const std::u16string& key, const std::u16string& value) {
    system.settings[{u"Quorin", u"Setting", key}] = value;
  }
  // Shows the dialog while the user acts; answers the keys written meanwhile.
  KeyValues writes(Script script) {
    const size_t before = system.settingWrites.size();
    show(std::move(script));
    KeyValues written;
    for (size_t i = before; i < system.settingWrites.size(); ++i) {
      const auto& w = system.settingWrites[i];
      EXPECT_EQ(w.app + u"\\" + w.section, u"Quorin\\Setting");
      written.emplace_back(w.key, w.value);
    }
    return written;
  }
  KeyValues ok(std::function<void(ScriptedUser&)> steps = {}) {
    return writes([steps](ScriptedUser& user) {
      if (steps) steps(user);
      user.click("cmdOK");
    });
  }
  std::optional<forms::Colour> sample() { return form().lblSample.foreColour(); }
};

// One stored key on a fresh dialog, and what OK then writes for it.
TEST_F(Settings, EachStoredTextIsReadExactlyAndWrittenBack) {
  EXPECT_EQ(ok(), kFreshWrites);
  const struct {
    const char16_t *key, *stored, *written;
  } cases[] = {
      {u"Behavior", u"Click", u"move"}, {u"Behavior", u"", u"move"},  // anything but "click"
      {u"Speed", u"300", u"300"}, {u"Speed", u"1000", u"1000"}, {u"Speed", u"30000", u"30000"},
      {u"Speed", u"200", u"100"},  // unknown: Slow stays
      {u"ShowTip", u"YES", u"no"}, {u"SmartSlide", u"yes", u"yes"}, {u"SmartSlide", u"No", u"yes"},
      {u"Direction", u"left", u"left"}, {u"Direction", u"top", u"top"},
      {u"Direction", u"bottom", u"bottom"}, {u"Direction", u"Right", u"left"},  // the design's left stays
      {u"Color_mouseEnter", u"255", u"255"}, {u"Color_mouseEnter", u" 2.5\t", u"2"},  // half to even
      {u"Color_mouseEnter", u"3.5", u"4"}, {u"Color_mouseEnter", u"1e3", u"1000"},
      {u"Color_mouseEnter", u"", kLabelBack}, {u"Color_mouseEnter", u"0x10", kLabelBack},
      {u"Color_mouseExit", u"65280", u"65280"}, {u"Color_mouseExit", u"abc", kLabelFore},
      {u"Color_mouseExit", u"16777216", kLabelFore},  // no colour the system knows
      {u"Color_mouseExit", u"2147483648", kLabelFore}, {u"Color_mouseExit", u"-2147483618", u"-2147483618"},
      {u"BackgroundPicture", u"C:\\pictures\\bar.bmp", u"C:\\pictures\\bar.bmp"},
      {u"Appearance", u"00", u"1"}, {u"Sound", u"missing.wav", u"missing.wav"},  // never checked
      {u"GroupSetting", u"1", u"1"}, {u"GroupSetting", u"", u"1"},
  };
  for (const auto& c : cases) {
    const std::u16string key = c.key, stored = c.stored;
    SCOPED_TRACE(std::string(key.begin(), key.end()) + " = " + std::string(stored.begin(), stored.end()));
    system.settings.clear();
    store(key, stored);
    reload();
    EXPECT_EQ(ok(), freshWritesWith({{key, c.written}}));
  }
}

// Cancel writes nothing; the next Show sets only what the store holds, so
// the options of missing keys stay as the user left them.
TEST_F(Settings, CancelWritesNothingAndMissingKeysLeaveTheirOptions) {
  store(u"Direction", u"top");
  EXPECT_EQ(writes([](ScriptedUser& user) {
              for (const auto& [tab, option, index] : {std::tuple{1, "OptFast", -1}, {2, "OptNoToolTip", -1},
                                                       {3, "optSlideDirection", 3}}) {
                user.chooseTab("SSTab1", tab);
                user.select(option, index);
              }
              user.click("cmdCancel");
            }),
            KeyValues{});
  EXPECT_EQ(ok(), freshWritesWith({{u"Speed", u"300"}, {u"ShowTip", u"no"}, {u"Direction", u"top"}}));
}

// The first page is in front at load; each tab brings its own page to the
// front, and what lies on a covered page is out of reach.
TEST_F(Settings, ChoosingATabShowsItsPage) {
  const auto front = [&] {
    for (int page = 0; page < 10; ++page)
      if (system.windowOf(form().handle())->isFrontPage("Picture1", page)) return page;
    return -1;
  };
  EXPECT_EQ(front(), 0);
  EXPECT_EQ(ok([&](ScriptedUser& user) {
              user.select("OptNoToolTip");  // page 2 is covered
              for (int tab : {7, 2, 9, 0}) {
                user.chooseTab("SSTab1", tab);
                EXPECT_EQ(front(), tab);
                if (tab == 7) user.select("OptAppearence", 1);
              }
            }),
            freshWritesWith({{u"Appearance", u"1"}}));
}

// Each colour dialog starts from the colour it edits. A new normal colour
// shows at once; the mouse-over colour only when the mouse is over the
// sample, until it moves over a page, a label or a colour button.
TEST_F(Settings, ColoursAndTheSampleThatFollowsTheMouse) {
  constexpr forms::Colour kBlue = 0xFF0000, kGreen = 0x00FF00, kRed = 0xFF;
  store(u"Color_mouseExit", u"16711680");
  system.answerNextColour(std::nullopt);
  system.answerNextColour(kGreen);
  system.answerNextColour(kRed);
  const auto written = ok([&](ScriptedUser& user) {
    user.chooseTab("SSTab1", 5);
    user.click("cmdNormalState");
    user.click("cmdMouseOver");
    EXPECT_EQ(sample(), kBlue) << "not before the mouse moves over the sample";
    const struct {
      const char* control;
      int index;
      forms::Colour after;
    } moves[] = {{"lblSample", -1, kGreen}, {"SSTab1", -1, kGreen}, {"cmdOK", -1, kGreen},
                 {"Picture1", 5, kBlue},    {"lblSample", -1, kGreen}, {"Label1", 9, kBlue},
                 {"lblSample", -1, kGreen}, {"cmdNormalState", -1, kBlue}, {"lblSample", -1, kGreen},
                 {"cmdMouseOver", -1, kBlue}};
    for (const auto& move : moves) {
      SCOPED_TRACE(move.control);
      user.moveMouse(move.control, move.index);
      EXPECT_EQ(sample(), move.after);
    }
    user.click("cmdNormalState");
    EXPECT_EQ(sample(), kRed);
  });
  ASSERT_EQ(system.colourDialogs.size(), 3u);
  EXPECT_EQ(system.colourDialogs[0].colour, kBlue);
  EXPECT_EQ(system.colourDialogs[1].colour, forms::k3DHighlightColour);
  EXPECT_EQ(written, freshWritesWith({{u"Color_mouseEnter", u"65280"}, {u"Color_mouseExit", u"255"}}));
}

// A check box enables its path box and Browse; unchecked, the path stays
// but OK writes "". An empty Sound unchecks its box at every Show.
TEST_F(Settings, PathCheckBoxesEnableTheirBoxAndDecideWhatIsWritten) {
  store(u"BackgroundPicture", u"C:\\pictures\\bar.bmp");
  store(u"Sound", u"C:\\sounds\\in.wav");
  EXPECT_EQ(ok([&](ScriptedUser& user) {
              for (const auto& [box, path, button] : {std::tuple{"chkUseBg", "txtBgPict", "cmdBrowsePict"},
                                                      {"chkSoundFile", "txtSoundFile", "cmdSoundBrowse"}}) {
                const forms::Control pathBox(form(), path), browse(form(), button), check(form(), box);
                EXPECT_EQ(check.value(), 1);
                EXPECT_TRUE(pathBox.enabled() && browse.enabled());
                user.chooseTab("SSTab1", box == std::string("chkUseBg") ? 6 : 8);
                user.check(box, false);
                EXPECT_FALSE(pathBox.enabled() || browse.enabled());
                EXPECT_NE(pathBox.text(), u"");
              }
            }),
            kFreshWrites);
  system.settings.clear();
  EXPECT_EQ(ok([](ScriptedUser& user) {
              for (const auto& [tab, box] : {std::pair{6, "chkUseBg"}, {8, "chkSoundFile"}}) {
                user.chooseTab("SSTab1", tab);
                user.check(box, true);
                user.type(box == std::string("chkUseBg") ? "txtBgPict" : "txtSoundFile", u"");
              }
            }),
            kFreshWrites);
  show([&](ScriptedUser& user) {
    EXPECT_EQ(form().chkUseBg.value(), 1);
    EXPECT_EQ(form().chkSoundFile.value(), 0);
    user.pressEsc();
  });
}

// Each file dialog opens in the folder of the path box's file when it
// exists, else wherever the shared dialog was left, by either button.
TEST_F(Settings, BrowseOpensInTheCurrentFilesFolderElseWhereTheLastOneLeftIt) {
  system.files[u"C:\\pictures\\bar.bmp"] = 32;
  system.files[u"C:\\sounds"] = forms::kAttrDirectory;
  system.files[u"C:\\sounds\\in.wav"] = 32;
  store(u"BackgroundPicture", u"C:\\pictures\\bar.bmp");
  const struct {
    int tab;
    const char *button, *box;
    const char16_t* typed;  // before the click, if any
    const char16_t* initDir;
    std::optional<std::u16string> chosen;
  } steps[] = {
      {6, "cmdBrowsePict", "txtBgPict", nullptr, u"C:\\pictures"},
      {8, "cmdSoundBrowse", "txtSoundFile", u"", u"C:\\pictures"},
      {8, "cmdSoundBrowse", "txtSoundFile", u"C:\\sounds\\missing.wav", u"C:\\pictures"},
      {8, "cmdSoundBrowse", "txtSoundFile", u"C:\\sounds", u"C:\\pictures"},  // a plain folder
      {8, "cmdSoundBrowse", "txtSoundFile", u"C:\\sounds\\in.wav", u"C:\\sounds"},
      {6, "cmdBrowsePict", "txtBgPict", u"", u"C:\\sounds", u"C:\\new.bmp"},
  };
  const auto written = ok([&](ScriptedUser& user) {
    user.chooseTab("SSTab1", 8);
    user.check("chkSoundFile", true);
    for (const auto& step : steps) {
      SCOPED_TRACE(&step - steps);
      user.chooseTab("SSTab1", step.tab);
      if (step.typed) user.type(step.box, step.typed);
      const auto before = user.text(step.box);
      system.answerNextOpen(step.chosen);
      user.click(step.button);
      EXPECT_EQ(system.openDialogs.back().initDir, step.initDir);
      EXPECT_EQ(user.text(step.box), step.chosen.value_or(before));
    }
  });
  ASSERT_EQ(system.openDialogs.size(), 6u);
  EXPECT_NE(system.openDialogs[0].filter.find(u"|*.bmp|"), std::u16string::npos);
  EXPECT_NE(system.openDialogs[1].filter.find(u"|*.wav|"), std::u16string::npos);
  EXPECT_EQ(written, freshWritesWith({{u"BackgroundPicture", u"C:\\new.bmp"}, {u"Sound", u"C:\\sounds\\in.wav"}}));
}

// A dropped file goes to the path box of the page in front, if the user
// could type there; any other page, or a disabled box, lets it go.
TEST_F(Settings, ADropFillsTheEnabledPathBoxOfThePageInFront) {
  const std::u16string picture = u"C:\\pictures\\bar.bmp", sound = u"C:\\sounds\\in.wav", dropped = u"C:\\d.wav";
  store(u"BackgroundPicture", picture);
  store(u"Sound", sound);
  const struct {
    int tab;
    const char* uncheck;
    std::u16string pictureAfter, soundAfter;
  } cases[] = {{6, nullptr, dropped, sound}, {8, nullptr, picture, dropped}, {6, "chkUseBg", picture, sound},
               {8, "chkSoundFile", picture, sound}, {0, nullptr, picture, sound}, {5, nullptr, picture, sound},
               {7, nullptr, picture, sound}, {9, nullptr, picture, sound}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tab);
    reload();
    show([&](ScriptedUser& user) {
      user.chooseTab("SSTab1", c.tab);
      if (c.uncheck) user.check(c.uncheck, false);
      user.dropFiles({dropped, u"C:\\second.bmp"});
      EXPECT_EQ(form().txtBgPict.text(), c.pictureAfter);
      EXPECT_EQ(form().txtSoundFile.text(), c.soundAfter);
      user.click("cmdCancel");
    });
  }
}

}  // namespace
}  // namespace tollivor::test
