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

// A load handler may unload its own form; the load then ends quietly and a
// later touch loads it again.
TEST_F(HeadlessForms, ALoadHandlerMayUnloadItsForm) {
  struct SelfUnloading : TestForm {
    void Form_Load() override {
      if (++loads == 1) unload();
    }
  };
  form = std::make_unique<SelfUnloading>();
  form->load();
  EXPECT_FALSE(form->isLoaded());
  EXPECT_TRUE(form->txtName.setText(u"again"));
  EXPECT_TRUE(form->isLoaded());
  EXPECT_EQ(form->loads, 2);
}

}  // namespace
}  // namespace tollivor
