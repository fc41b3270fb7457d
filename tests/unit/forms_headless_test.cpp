// Picture boxes of the headless platform: what they show, hidden or not.
// (How forms and controls behave on every platform: FormContract.)
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

}  // namespace
}  // namespace tollivor
