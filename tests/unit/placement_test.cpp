// Placing a dialog at the cursor: an 800 x 600 pixel screen (12000 x 9000
// twips) and a dialog of 4200 x 3000 twips, with the task bar in its states
// and places, the edges of the margins, and failed queries.
#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "platform/Form.h"
#include "platform/headless/HeadlessPlatform.h"
#include "shared/Mshared.h"

namespace tollivor {
namespace {

using forms::Point;
using forms::Rect;
using forms::headless::HeadlessPlatform;
using forms::headless::HeadlessWindow;
using Position = std::pair<int, int>;  // left, top in twips

// An empty dialog whose outer size is the given size in twips.
forms::FormTable dialogOfOuterSize(int width, int height) {
  forms::FormTable table;
  table.caption = u"Placed";
  table.clientWidth = width - 2 * HeadlessWindow::kFrameTwips;
  table.clientHeight = height - 2 * HeadlessWindow::kFrameTwips - HeadlessWindow::kCaptionTwips;
  return table;
}

class Placement : public ::testing::Test {
 protected:
  Placement() { forms::setPlatform(&system); }
  ~Placement() override { forms::setPlatform(nullptr); }

  // The dialog's left and top as it was shown.
  Position placeAt(Point cursorPixels, int width = 4200, int height = 3000) {
    forms::Form form(dialogOfOuterSize(width, height));
    form.load();
    Point shownAt{-99999, -99999};
    bool visible = false;
    system.onNextShow([&](forms::headless::ScriptedUser& user) {
      const auto bounds = user.window()->bounds();
      shownAt = {bounds->left, bounds->top};
      visible = user.window()->isVisible();
    });
    system.cursor = cursorPixels;
    const int showsBefore = system.modalShows;
    Mshared::ShowFormAtCursor(form);
    EXPECT_EQ(system.modalShows, showsBefore + 1);
    EXPECT_TRUE(visible);
    EXPECT_TRUE(form.isLoaded());
    return {shownAt.x, shownAt.y};
  }

  void bottomTaskbar() {
    system.taskbarStateValue = 2;
    system.taskbarRect = Rect{-2, 570, 802, 602};  // left, top, right, bottom
  }
  void leftTaskbar() {
    system.taskbarStateValue = 2;
    system.taskbarRect = Rect{0, 0, 62, 600};
  }

  HeadlessPlatform system;
};

TEST_F(Placement, BottomTaskbarCentresOnTheCursorWhenThereIsRoom) {
  bottomTaskbar();
  EXPECT_EQ(placeAt({400, 300}), (Position{3900, 3000}));
}

TEST_F(Placement, BottomTaskbarPullsBackFromTheFarEdges) {
  bottomTaskbar();
  // Centred at (9885, 7485); margins 500 across and 32 * 15 + 210 = 690 down.
  EXPECT_EQ(placeAt({799, 599}), (Position{12000 - 500 - 4200, 9000 - 690 - 3000}));
}

TEST_F(Placement, TaskbarMarginAppliesAtBothEndsOfItsAxis) {
  bottomTaskbar();
  EXPECT_EQ(placeAt({0, 0}), (Position{500, 690}));
}

TEST_F(Placement, LeftTaskbarWidensTheLeftAndRightMargins) {
  leftTaskbar();  // 62 * 15 + 210 = 1140
  EXPECT_EQ(placeAt({0, 0}), (Position{1140, 500}));
  EXPECT_EQ(placeAt({799, 599}), (Position{12000 - 1140 - 4200, 9000 - 500 - 3000}));
  EXPECT_EQ(placeAt({400, 300}), (Position{3900, 3000}));
}

TEST_F(Placement, OnlyAlwaysOnTopWithoutAutoHideCounts) {
  for (int state : {0, 1, 3}) {
    SCOPED_TRACE(state);
    bottomTaskbar();
    system.taskbarStateValue = state;
    EXPECT_EQ(placeAt({0, 0}), (Position{210, 500}));
    EXPECT_EQ(placeAt({799, 599}), (Position{12000 - 210 - 4200, 9000 - 500 - 3000}));
  }
}

TEST_F(Placement, MarginsAreMetExactlyAndOneTwipPastIsCorrected) {
  // No task bar: 210 at the sides, 500 at the top and bottom.
  // 4200 x 3020 centred at cursor (154, 134) sits exactly on the near
  // margins, at (646, 466) with its far sides exactly on 11790 and 8500.
  EXPECT_EQ(placeAt({154, 134}, 4200, 3020), (Position{210, 500}));
  EXPECT_EQ(placeAt({646, 466}, 4200, 3020), (Position{7590, 5480}));
  // Two twips larger, each side lies one twip past its margin.
  EXPECT_EQ(placeAt({154, 134}, 4202, 3022), (Position{210, 500}));
  EXPECT_EQ(placeAt({646, 466}, 4202, 3022), (Position{11790 - 4202, 8500 - 3022}));
}

TEST_F(Placement, ADialogWiderThanTheRoomIsCorrectedOnceOnly) {
  bottomTaskbar();
  // Left 11985 - 6000 = 5985; the far edge sets -500 and it stays there.
  EXPECT_EQ(placeAt({799, 300}, 12000, 3000), (Position{-500, 3000}));
  // From the near side: set to the margin, its far side is left beyond.
  EXPECT_EQ(placeAt({0, 300}, 12000, 3000), (Position{500, 3000}));
}

TEST_F(Placement, AHorizontalTaskbarAsWideAsTheScreenLiesAlongTopOrBottom) {
  system.taskbarStateValue = 2;
  system.taskbarRect = Rect{0, 0, 800, 40};  // top, exactly 12000 wide
  EXPECT_EQ(placeAt({0, 0}), (Position{500, 40 * 15 + 210}));
  system.taskbarRect = Rect{1, 0, 800, 40};  // one pixel narrower: a side bar
  EXPECT_EQ(placeAt({0, 0}), (Position{799 * 15 + 210, 500}));
}

TEST_F(Placement, AFailedCursorReadPutsTheDialogAgainstTheTopLeftMargins) {
  bottomTaskbar();
  system.cursor = std::nullopt;
  forms::Form form(dialogOfOuterSize(4200, 3000));
  Mshared::ShowFormAtCursor(form);
  const auto bounds = system.windowOf(form.handle())->bounds();
  EXPECT_EQ(bounds->left, 500);
  EXPECT_EQ(bounds->top, 690);
}

TEST_F(Placement, FailedTaskbarQueriesCountAsNoTaskbar) {
  system.taskbarStateValue = std::nullopt;
  system.taskbarRect = Rect{-2, 570, 802, 602};
  EXPECT_EQ(placeAt({0, 0}), (Position{210, 500}));

  system.taskbarStateValue = 2;
  system.taskbarRect = std::nullopt;  // the rectangle stays all zeros
  EXPECT_EQ(placeAt({0, 0}), (Position{210, 500}));
  EXPECT_EQ(placeAt({799, 599}), (Position{12000 - 210 - 4200, 9000 - 500 - 3000}));
}

TEST_F(Placement, AnUnknownScreenSkipsOnlyTheFarEdgeTests) {
  system.screen = std::nullopt;
  EXPECT_EQ(placeAt({0, 0}), (Position{210, 500}));
  EXPECT_EQ(placeAt({799, 599}), (Position{11985 - 2100, 8985 - 1500}));
}

TEST_F(Placement, AnOverflowingCursorSkipsTheCentring) {
  // x * 15 does not fit 32 bits: cursor X stays 0: centring gives -2100, pulled to the margin.
  EXPECT_EQ(placeAt({200000000, 300}), (Position{210, 3000}));
}

TEST_F(Placement, TheDialogIsShownEvenWhenItsWindowCannotBeRead) {
  forms::Form form(dialogOfOuterSize(4200, 3000));
  system.cursor = std::nullopt;
  system.screen = std::nullopt;
  system.taskbarStateValue = std::nullopt;
  Mshared::ShowFormAtCursor(form);  // loads the form if it was not
  EXPECT_EQ(system.modalShows, 1);
  EXPECT_TRUE(form.isLoaded());
}

}  // namespace
}  // namespace tollivor
