// The colour buttons with the sample's hover preview, and the picture and
// sound pages with their check boxes and Browse buttons.
#include <gtest/gtest.h>

#include "unit/settings_fixture.h"

namespace tollivor::test {
namespace {

constexpr forms::Colour kRed = 255;
constexpr forms::Colour kGreen = 0x00FF00;
constexpr forms::Colour kBlue = 0xFF0000;

TEST_F(SettingsEditor, CancelledColourDialogsChangeNothing) {
  const auto written = showAndOk([&](ScriptedUser& user) {
    user.chooseTab("SSTab1", 5);
    user.click("cmdNormalState");
    user.click("cmdMouseOver");
    EXPECT_EQ(form().lblSample.foreColour(), forms::k3DDarkShadowColour);
  });
  EXPECT_EQ(written, kFreshWrites);
  ASSERT_EQ(system.colourDialogs.size(), 2u);
  // Each dialog starts from the colour it edits, a system colour as it is.
  EXPECT_EQ(system.colourDialogs[0].colour, forms::k3DDarkShadowColour);
  EXPECT_EQ(system.colourDialogs[1].colour, forms::k3DHighlightColour);
}

TEST_F(SettingsEditor, ANewNormalColourShowsAtOnceAndIsWritten) {
  system.answerNextColour(kRed);
  const auto written = showAndOk([&](ScriptedUser& user) {
    user.chooseTab("SSTab1", 5);
    user.click("cmdNormalState");
    EXPECT_EQ(form().lblSample.foreColour(), kRed);
  });
  EXPECT_EQ(written, freshWritesWith({{u"Color_mouseExit", u"255"}}));
}

// The sample shows the mouse-over colour after a move over it, and the
// normal colour again after a move over a page, a label or a "..." button;
// the tab strip and OK have no say.
TEST_F(SettingsEditor, TheSampleFollowsTheMouse) {
  store(u"Color_mouseExit", u"16711680");  // blue
  system.answerNextColour(kGreen);
  const auto written = show([&](ScriptedUser& user) {
    const auto sample = [&] { return form().lblSample.foreColour(); };
    user.chooseTab("SSTab1", 5);
    user.click("cmdMouseOver");
    EXPECT_EQ(sample(), kBlue) << "not before the mouse moves over the sample";
    const struct {
      const char* control;
      int index;
      forms::Colour after;
    } moves[] = {
        {"lblSample", -1, kGreen},      {"SSTab1", -1, kGreen},         {"cmdOK", -1, kGreen},
        {"cmdCancel", -1, kGreen},      {"Picture1", 5, kBlue},         {"lblSample", -1, kGreen},
        {"Label1", 9, kBlue},           {"lblSample", -1, kGreen},      {"cmdNormalState", -1, kBlue},
        {"lblSample", -1, kGreen},      {"cmdMouseOver", -1, kBlue},    {"cmdMouseOver", -1, kBlue},
    };
    for (const auto& move : moves) {
      SCOPED_TRACE(std::string(move.control) + "(" + std::to_string(move.index) + ")");
      user.moveMouse(move.control, move.index);
      EXPECT_EQ(sample(), move.after);
    }
    user.click("cmdOK");
  });
  EXPECT_EQ(written, freshWritesWith({{u"Color_mouseEnter", u"65280"}, {u"Color_mouseExit", u"16711680"}}));
}

TEST_F(SettingsEditor, UncheckingKeepsThePathButOkWritesEmptyText) {
  store(u"BackgroundPicture", u"C:\\pictures\\bar.bmp");
  store(u"Sound", u"C:\\sounds\\in.wav");
  const auto written = showAndOk([&](ScriptedUser& user) {
    user.chooseTab("SSTab1", 6);
    user.check("chkUseBg", false);
    EXPECT_EQ(form().txtBgPict.text(), u"C:\\pictures\\bar.bmp");
    EXPECT_FALSE(form().txtBgPict.enabled());
    EXPECT_FALSE(form().cmdBrowsePict.enabled());
    user.chooseTab("SSTab1", 8);
    user.check("chkSoundFile", false);
    EXPECT_EQ(form().txtSoundFile.text(), u"C:\\sounds\\in.wav");
    EXPECT_FALSE(form().txtSoundFile.enabled());
    EXPECT_FALSE(form().cmdSoundBrowse.enabled());
    user.check("chkSoundFile", true);
    EXPECT_TRUE(form().cmdSoundBrowse.enabled());
    user.check("chkSoundFile", false);
  });
  EXPECT_EQ(written, kFreshWrites);
}

// Where each file dialog opens: in the folder of the path box's file when
// it exists, else wherever the shared dialog was left, by either button.
TEST_F(SettingsEditor, BrowseOpensInTheCurrentFilesFolderElseWhereTheLastOneLeftIt) {
  system.files[u"C:\\pictures\\bar.bmp"] = 32;
  system.files[u"C:\\sounds"] = forms::kAttrDirectory;
  system.files[u"C:\\sounds\\in.wav"] = 32;
  store(u"BackgroundPicture", u"C:\\pictures\\bar.bmp");
  const struct {
    int tab;
    const char* button;
    const char* box;
    const char16_t* path;     // typed before the click, if any
    const char16_t* initDir;  // where the dialog opens
  } steps[] = {
      {6, "cmdBrowsePict", "txtBgPict", nullptr, u"C:\\pictures"},
      {8, "cmdSoundBrowse", "txtSoundFile", u"", u"C:\\pictures"},  // kept from the picture
      {8, "cmdSoundBrowse", "txtSoundFile", u"C:\\sounds\\missing.wav", u"C:\\pictures"},
      {8, "cmdSoundBrowse", "txtSoundFile", u"C:\\sounds", u"C:\\pictures"},  // a plain folder
      {8, "cmdSoundBrowse", "txtSoundFile", u"C:\\sounds\\in.wav", u"C:\\sounds"},
      {6, "cmdBrowsePict", "txtBgPict", u"", u"C:\\sounds"},
  };
  show([&](ScriptedUser& user) {
    user.chooseTab("SSTab1", 8);
    user.check("chkSoundFile", true);
    for (const auto& step : steps) {
      SCOPED_TRACE(step.button);
      user.chooseTab("SSTab1", step.tab);
      if (step.path) user.type(step.box, step.path);
      const auto before = user.text(step.box);
      const size_t runs = system.openDialogs.size();
      user.click(step.button);
      ASSERT_EQ(system.openDialogs.size(), runs + 1);
      EXPECT_EQ(system.openDialogs.back().initDir, step.initDir);
      EXPECT_EQ(system.openDialogs.back().flags, 4100u);
      EXPECT_EQ(user.text(step.box), before) << "a cancelled dialog keeps the text";
    }
    user.pressEsc();
  });
  EXPECT_EQ(system.openDialogs.front().filter, u"Bitmap Files (*.bmp)|*.bmp|All Files (*.*)|*.*|");
  EXPECT_EQ(system.openDialogs[1].filter, u"Sound Files (*.wav)|*.wav|All Files (*.*)|*.*|");
}

TEST_F(SettingsEditor, AChosenFileReplacesThePathAndOkWritesIt) {
  const std::u16string longPath = u"C:\\" + std::u16string(300, u'p') + u"\\\u00e9t\u00e9 \u266b.wav";
  system.answerNextOpen(u"C:\\pictures\\new.bmp");
  system.answerNextOpen(longPath);
  const auto written = showAndOk([&](ScriptedUser& user) {
    user.chooseTab("SSTab1", 6);
    user.check("chkUseBg", true);
    user.type("txtBgPict", u"old");
    user.click("cmdBrowsePict");
    EXPECT_EQ(user.text("txtBgPict"), u"C:\\pictures\\new.bmp");
    user.chooseTab("SSTab1", 8);
    user.check("chkSoundFile", true);
    user.click("cmdSoundBrowse");
  });
  EXPECT_EQ(written, freshWritesWith({{u"BackgroundPicture", u"C:\\pictures\\new.bmp"}, {u"Sound", longPath}}));
}

// A file dropped on the dialog goes to the path box of the page in front, if
// the user could type there; any other page, or a disabled box, lets it go.
TEST_F(SettingsEditor, ADropFillsTheEnabledPathBoxOfThePageInFront) {
  const std::u16string picture = u"C:\\pictures\\bar.bmp", sound = u"C:\\sounds\\in.wav";
  const std::u16string dropped = u"C:\\drop\\first.wav";
  store(u"BackgroundPicture", picture);
  store(u"Sound", sound);
  const struct {
    int tab;
    const char* uncheck;  // a check box cleared before the drop
    std::u16string pictureAfter, soundAfter;
  } cases[] = {
      {6, nullptr, dropped, sound},
      {8, nullptr, picture, dropped},
      {6, "chkUseBg", picture, sound},
      {8, "chkSoundFile", picture, sound},
      {0, nullptr, picture, sound},
      {5, nullptr, picture, sound},
      {7, nullptr, picture, sound},
      {9, nullptr, picture, sound},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("tab " + std::to_string(c.tab) + (c.uncheck ? std::string(" ") + c.uncheck : ""));
    reload();
    show([&](ScriptedUser& user) {
      if (c.tab != 0) user.chooseTab("SSTab1", c.tab);
      if (c.uncheck) user.check(c.uncheck, false);
      user.dropFiles({dropped, u"C:\\drop\\second.bmp"});
      EXPECT_EQ(form().txtBgPict.text(), c.pictureAfter);
      EXPECT_EQ(form().txtSoundFile.text(), c.soundAfter);
      user.click("cmdCancel");
    });
  }
  EXPECT_TRUE(system.openDialogs.empty());

  reload();
  const auto written = showAndOk([&](ScriptedUser& user) {
    user.chooseTab("SSTab1", 8);
    user.dropFile(dropped);
  });
  EXPECT_EQ(written, freshWritesWith({{u"BackgroundPicture", picture}, {u"Sound", dropped}}));
}

}  // namespace
}  // namespace tollivor::test
