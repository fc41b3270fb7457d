// Placing a dialog at the cursor: an 800 x 600 pixel screen (12000 x 9000
// twips) and, unless a case says otherwise, a dialog of 4200 x 3000 twips;
// the task bar in its states and places, the edges of the margins, and
// failed queries.
#include <gtest/gtest.h>

#include <optional>

#include "forms/Form.h"
#include "forms/headless/HeadlessPlatform.h"
#include "shared/Mshared.h"

namespace tollivor {
namespace {

using forms::Point;
using forms::Edges;
using forms::Rect;
using forms::Size;
using forms::headless::HeadlessWindow;

constexpr Edges kBottomBar{-2, 570, 802, 602};  // pixels
constexpr Edges kLeftBar{0, 0, 62, 600};

struct Example {
  const char* what;
  std::optional<int> barState;
  std::optional<Edges> bar;
  std::optional<Point> cursor;
  Point expected;  // left, top in twips
  int width = 4200, height = 3000;
  std::optional<Size> screen = Size{12000, 9000};
};

// Margins: 210 across and 500 down, or the task bar's size + 210 on its axis.
const Example kExamples[] = {
    {"bottom bar, room", 2, kBottomBar, Point{400, 300}, {3900, 3000}},
    {"bottom bar, far corner", 2, kBottomBar, Point{799, 599}, {12000 - 500 - 4200, 9000 - 690 - 3000}},
    {"bottom bar, near corner", 2, kBottomBar, Point{0, 0}, {500, 690}},
    {"left bar, near corner", 2, kLeftBar, Point{0, 0}, {1140, 500}},
    {"left bar, far corner", 2, kLeftBar, Point{799, 599}, {12000 - 1140 - 4200, 9000 - 500 - 3000}},
    {"left bar, room", 2, kLeftBar, Point{400, 300}, {3900, 3000}},
    {"state 0", 0, kBottomBar, Point{0, 0}, {210, 500}},
    {"state 1", 1, kBottomBar, Point{799, 599}, {12000 - 210 - 4200, 9000 - 500 - 3000}},
    {"state 3", 3, kBottomBar, Point{0, 0}, {210, 500}},
    {"state 3, far", 3, kBottomBar, Point{799, 599}, {12000 - 210 - 4200, 9000 - 500 - 3000}},
    // 4200 x 3020 centred at (154, 134) lies exactly on the near margins, at
    // (646, 466) exactly on the far ones (11790, 8500); two twips larger, one past.
    {"on the near margins", 0, {}, Point{154, 134}, {210, 500}, 4200, 3020},
    {"on the far margins", 0, {}, Point{646, 466}, {7590, 5480}, 4200, 3020},
    {"past the near margins", 0, {}, Point{154, 134}, {210, 500}, 4202, 3022},
    {"past the far margins", 0, {}, Point{646, 466}, {11790 - 4202, 8500 - 3022}, 4202, 3022},
    // Wider than the room: corrected once, from whichever side.
    {"too wide, far", 2, kBottomBar, Point{799, 300}, {-500, 3000}, 12000},
    {"too wide, near", 2, kBottomBar, Point{0, 300}, {500, 3000}, 12000},
    {"top bar as wide as the screen", 2, Edges{0, 0, 800, 40}, Point{0, 0}, {500, 40 * 15 + 210}},
    {"one pixel narrower: a side bar", 2, Edges{1, 0, 800, 40}, Point{0, 0}, {799 * 15 + 210, 500}},
    // Failed queries.
    {"cursor unknown", 2, kBottomBar, std::nullopt, {500, 690}},
    {"bar state unknown", std::nullopt, kBottomBar, Point{0, 0}, {210, 500}},
    {"bar rectangle unknown", 2, std::nullopt, Point{0, 0}, {210, 500}},
    {"bar rectangle unknown, far", 2, std::nullopt, Point{799, 599}, {12000 - 210 - 4200, 9000 - 500 - 3000}},
    {"screen unknown", 0, {}, Point{0, 0}, {210, 500}, 4200, 3000, std::nullopt},
    {"screen unknown, far", 0, {}, Point{799, 599}, {11985 - 2100, 8985 - 1500}, 4200, 3000, std::nullopt},
    {"cursor x overflows", 0, {}, Point{200000000, 300}, {210, 3000}},
    {"nothing known", std::nullopt, {}, std::nullopt, {210, 500}, 4200, 3000, std::nullopt},
};

TEST(Placement, Examples) {
  for (const Example& e : kExamples) {
    SCOPED_TRACE(e.what);
    forms::headless::HeadlessPlatform system;
    forms::setPlatform(&system);
    system.taskbarStateValue = e.barState;
    system.taskbarRect = e.bar;
    system.cursor = e.cursor;
    system.screen = e.screen;
    forms::FormTable table;  // an empty dialog of the example's outer size
    table.clientWidth = e.width - 2 * HeadlessWindow::kFrameTwips;
    table.clientHeight = e.height - 2 * HeadlessWindow::kFrameTwips - HeadlessWindow::kCaptionTwips;
    forms::Form form(table);
    Rect shown{-1, -1, 0, 0};  // stays so unless the dialog is shown
    system.onNextShow([&](forms::headless::ScriptedUser& user) {
      if (user.window()->isVisible()) shown = *user.window()->bounds();
    });
    Mshared::ShowFormAtCursor(form);  // loads the form, which is not loaded yet
    EXPECT_EQ(shown.left, e.expected.x);
    EXPECT_EQ(shown.top, e.expected.y);
    form.unload();
    forms::setPlatform(nullptr);
  }
}

}  // namespace
}  // namespace tollivor
