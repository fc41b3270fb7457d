// The portable form on the headless platform: how a modal show ends and
// what it disables meanwhile, the keys that press buttons, picture boxes and
// the settings store.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "common/TestForm.h"
#include "forms/headless/HeadlessPlatform.h"

namespace tollivor {
namespace {

using forms::headless::HeadlessPlatform;
using forms::headless::HeadlessWindow;
using forms::headless::ScriptedUser;
using test::TestForm;

class HeadlessForms : public ::testing::Test {
 protected:
  HeadlessForms() { forms::setPlatform(&platform); }
  ~HeadlessForms() override {
    form.reset();  // windows go before their platform
    forms::setPlatform(nullptr);
  }

  HeadlessWindow* window() { return platform.windowOf(form->handle()); }

  HeadlessPlatform platform;
  std::unique_ptr<TestForm> form = std::make_unique<TestForm>();
};

// A show ends when a button's handler hides the form, which stays loaded;
// Enter presses the focused button, else the default one, and Esc Cancel.
TEST_F(HeadlessForms, ModalShowEndsWhenAButtonHidesTheForm) {
  const struct {
    std::function<void(ScriptedUser&)> act;
    std::u16string result;
  } cases[] = {
      {[](ScriptedUser& user) { user.click("cmdOK"); user.type("txtName", u"after"); }, u"typed"},
      {[](ScriptedUser& user) { user.pressEnter(); }, u"typed"},
      {[](ScriptedUser& user) { user.click("chkFlag"); user.pressEnter(); }, u"typed"},
      {[](ScriptedUser& user) { user.focus("cmdCancel"); user.pressEnter(); }, u""},
      {[](ScriptedUser& user) { user.pressEsc(); }, u""},
  };
  form->txtName.setText(u"typed");
  for (const auto& c : cases) {
    form->resultText.clear();
    platform.onNextShow(c.act);
    EXPECT_TRUE(form->showModal());
    EXPECT_EQ(form->resultText, c.result);
    EXPECT_EQ(form->txtName.text(), u"typed") << "hidden, not unloaded, and out of the user's reach";
    EXPECT_FALSE(window()->isVisible());
  }
  EXPECT_EQ(platform.unfinishedShows, 0);

  form->cmdCancel.setEnabled(false);
  platform.onNextShow([](ScriptedUser& user) { user.pressEsc(); });
  form->showModal();
  EXPECT_EQ(platform.unfinishedShows, 1) << "a disabled Cancel does not answer Esc";
}

TEST_F(HeadlessForms, OtherWindowsAreDisabledOnlyDuringTheShow) {
  TestForm second;
  second.load();
  HeadlessWindow* other = platform.windowOf(second.handle());
  bool otherEnabled = true, ownEnabled = false;
  platform.onNextShow([&](ScriptedUser& user) {
    otherEnabled = other->enabledWindow();
    ownEnabled = user.window()->enabledWindow();
  });
  form->showModal();
  EXPECT_FALSE(otherEnabled);
  EXPECT_TRUE(ownEnabled);
  EXPECT_TRUE(other->enabledWindow());
}

TEST_F(HeadlessForms, PictureKeepsItsDrawingWhileHiddenAndLosesItOnUnload) {
  EXPECT_FALSE(form->picPreview.drawIcon(0, 0, 0));
  const auto icon = platform.specialLargeIcon(5);
  EXPECT_TRUE(form->picPreview.drawIcon(0, 0, icon));
  platform.destroyIcon(icon);
  std::vector<std::u16string> seen;
  platform.onNextShow([&](ScriptedUser& user) {
    seen = user.window()->pictureShows("picPreview");
    user.pressEsc();
  });
  form->showModal();
  EXPECT_EQ(seen, std::vector<std::u16string>{u"special:5"});
  EXPECT_EQ(window()->pictureShows("picPreview"), seen);

  form->unload();
  form->load();
  EXPECT_TRUE(window()->pictureShows("picPreview").empty());
}

TEST_F(HeadlessForms, SettingsRoundTripIgnoringCaseAndMissingOnesReadAsAbsent) {
  EXPECT_FALSE(platform.readSetting(u"Quorin", u"Setting", u"Speed").has_value());
  EXPECT_TRUE(platform.writeSetting(u"Quorin", u"Setting", u"Speed", u"100"));
  EXPECT_TRUE(platform.writeSetting(u"quorin", u"SETTING", u"speed", u"50"));
  EXPECT_EQ(platform.readSetting(u"Quorin", u"Setting", u"Speed"), u"50");
}

}  // namespace
}  // namespace tollivor
