// The life cycle that the group and settings classes share with the item
// class: one form per class per thread, loaded hidden on creation, unloaded
// when any object of the class goes or when the window's close command ends
// the show, loaded afresh on the next use.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "group/CGroup.h"
#include "group/frmGroup.h"
#include "platform/FormInstance.h"
#include "platform/headless/HeadlessPlatform.h"
#include "settings/CSettingEx.h"
#include "settings/frmSettingEx.h"

namespace tollivor {
namespace {

using forms::headless::HeadlessPlatform;
using forms::headless::ScriptedUser;

class ClassLifecycle : public ::testing::Test {
 protected:
  void SetUp() override { forms::setPlatform(&system); }
  void TearDown() override {
    forms::FormInstance<frmGroup>::release();
    forms::FormInstance<frmSettingEx>::release();
    forms::setPlatform(nullptr);
  }

  // The loaded forms with this caption.
  size_t windowsCalled(const std::u16string& caption) const {
    return std::count_if(system.windows.begin(), system.windows.end(),
                         [&](auto* w) { return w->table().caption == caption; });
  }

  HeadlessPlatform system;
};

TEST_F(ClassLifecycle, FormsHaveTheirDialogsCaptionAndClientSize) {
  const auto group = frmGroupTable();
  EXPECT_EQ(group.caption, u"Group Property");
  EXPECT_EQ(group.clientWidth, 3990);
  EXPECT_EQ(group.clientHeight, 1950);
  const auto settings = frmSettingExTable();
  EXPECT_EQ(settings.caption, u"Tollivar Property");
  EXPECT_EQ(settings.clientWidth, 4815);
  EXPECT_EQ(settings.clientHeight, 3120);
}

TEST_F(ClassLifecycle, GroupsOnOneThreadShareOneFormUntilOneGoes) {
  auto first = std::make_unique<CGroup>();
  ASSERT_EQ(windowsCalled(u"Group Property"), 1u);
  EXPECT_FALSE(system.windows.front()->isVisible()) << "loaded hidden";
  auto second = std::make_unique<CGroup>();
  EXPECT_EQ(windowsCalled(u"Group Property"), 1u);

  forms::FormInstance<frmGroup>::get().resultText = u"group|Tools|:";
  EXPECT_EQ(second->ItemInfo(), u"group|Tools|:") << "one form behind both";

  first.reset();
  EXPECT_EQ(windowsCalled(u"Group Property"), 0u);
  EXPECT_EQ(second->ItemInfo(), u"") << "read from a freshly loaded form";
  EXPECT_EQ(windowsCalled(u"Group Property"), 1u);
}

TEST_F(ClassLifecycle, GroupWriteLeavesTheResultAlone) {
  CGroup group;
  forms::FormInstance<frmGroup>::get().resultText = u"group|Old|:";
  group.ItemInfo(u"group|Tools|:C:\\icons\\tools.ico");
  EXPECT_EQ(group.ItemInfo(), u"group|Old|:");
}

TEST_F(ClassLifecycle, CloseCommandEndsShowAndUnloads) {
  CGroup group;
  forms::FormInstance<frmGroup>::get().resultText = u"kept until unloaded";
  system.onNextShow([](ScriptedUser& user) { user.closeWindow(); });
  group.Show();
  EXPECT_EQ(system.modalShows, 1);
  EXPECT_EQ(system.unfinishedShows, 0);
  EXPECT_EQ(windowsCalled(u"Group Property"), 0u);
  EXPECT_EQ(group.ItemInfo(), u"");

  CSettingEx settings;
  system.onNextShow([](ScriptedUser& user) { user.closeWindow(); });
  settings.Show();
  EXPECT_EQ(system.modalShows, 2);
  EXPECT_EQ(system.unfinishedShows, 0);
  EXPECT_EQ(windowsCalled(u"Tollivar Property"), 0u);
}

TEST_F(ClassLifecycle, ShowOfAnUnloadedFormLoadsItAgain) {
  auto first = std::make_unique<CSettingEx>();
  CSettingEx second;
  first.reset();
  ASSERT_EQ(windowsCalled(u"Tollivar Property"), 0u);
  bool shown = false;
  system.onNextShow([&](ScriptedUser& user) {
    shown = user.window() != nullptr;
    user.closeWindow();
  });
  second.Show();
  EXPECT_TRUE(shown);
}

TEST_F(ClassLifecycle, AnotherThreadHasItsOwnForm) {
  CGroup mine;
  forms::FormInstance<frmGroup>::get().resultText = u"mine";
  std::u16string theirs = u"?";
  std::thread([&] {
    CGroup group;
    theirs = group.ItemInfo();
  }).join();
  EXPECT_EQ(theirs, u"");
  EXPECT_EQ(mine.ItemInfo(), u"mine") << "their release left this thread's form alone";
}

}  // namespace
}  // namespace tollivor
