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

}  // namespace
}  // namespace tollivor::test
