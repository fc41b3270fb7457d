// The base of every test that runs dialogs on the in-memory platform. After
// each test it checks what no test should leave behind: icons not released
// (or released twice), names a script used that its form lacks, and modal
// shows that only ended because their script ran out.
#pragma once

#include <gtest/gtest.h>

#include "forms/headless/HeadlessPlatform.h"

namespace tollivor::test {

class HeadlessTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_TRUE(system.liveIcons.empty()) << "an icon handle was not released";
    EXPECT_EQ(system.badIconReleases, 0);
    EXPECT_TRUE(system.unknownControls.empty())
        << "a script named a control its form lacks: " << system.unknownControls.front();
    EXPECT_EQ(system.unfinishedShows, expectedUnfinishedShows)
        << "a modal show ended only because its script ran out";
  }

  forms::headless::HeadlessPlatform system;
  forms::ScopedPlatform installed{system};
  int expectedUnfinishedShows = 0;
};

}  // namespace tollivor::test
