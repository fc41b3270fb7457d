// The headless layer's one fixture: the in-memory platform installed, one
// dialog class with its form, and a scripted user for each show. TearDown
// checks what no test may leave behind.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "forms/FormInstance.h"
#include "forms/headless/HeadlessPlatform.h"

namespace tollivor::test {

using forms::headless::ScriptedUser;
using Script = forms::headless::HeadlessPlatform::Script;
using Text = std::u16string;
using Shows = std::vector<Text>;  // what a picture box shows

class Headless : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_TRUE(system.liveIcons.empty()) << "an icon handle was not released";
    EXPECT_EQ(system.badIconReleases, 0) << "an icon handle was released twice";
    EXPECT_EQ(system.unknownControls, std::vector<std::string>{}) << "a script named a control its form lacks";
    EXPECT_EQ(system.unfinishedShows, 0) << "a show ended only because its script ran out";
    for (const auto& d : system.openDialogs) EXPECT_TRUE(d.flags & forms::kOpenFileMustExist) << "a missing file";
  }

  forms::headless::HeadlessPlatform system;
  forms::ScopedPlatform installed{system};
};

// Object is the class the host creates (CProperty, CGroup, CSettingEx), F its form.
template <class Object, class F>
class Editor : public Headless {
 protected:
  void SetUp() override { object = std::make_unique<Object>(); }
  void TearDown() override {
    object.reset();  // the last object unloads the form
    Headless::TearDown();
  }
  void reload() {  // a new object on a fresh form, with nothing heard or seen yet
    object.reset();
    object = std::make_unique<Object>();
    system.beeps = 0;
    system.messageBoxes.clear();
  }

  F& form() { return forms::FormInstance<F>::get(); }
  Shows preview(const char* picture) { return system.windowOf(form().handle())->pictureShows(picture); }
  void show(Script script) {
    system.onNextShow(std::move(script));
    object->Show();
  }
  // Shows the dialog while the user acts; answers what the host then reads.
  Text edit(Script script) {
    show(std::move(script));
    return object->ItemInfo();
  }

  std::unique_ptr<Object> object;
};

}  // namespace tollivor::test
