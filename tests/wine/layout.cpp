#include "layout.h"

#include <gtest/gtest.h>

#include "driver.h"

namespace tollivor::test {

namespace {

// Twips to pixels as the platform converts them: to the nearest pixel.
int pixels(int twips) { return (twips + forms::kTwipsPerPixel / 2) / forms::kTwipsPerPixel; }

}  // namespace

int expectTableLayout(HWND dialog, const forms::FormTable& table) {
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, pixels(table.clientWidth));
  EXPECT_EQ(client.bottom, pixels(table.clientHeight));
  int checked = 0;
  for (const auto& row : table.controls) {
    if (row.kind == forms::Kind::Line) continue;  // drawn, no window
    HWND control = driver::controlWindow(dialog, table, row.name, row.index);
    EXPECT_NE(control, nullptr) << row.name << "(" << row.index << ")";
    if (!control) continue;
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, pixels(row.rect.left)) << row.name;
    EXPECT_EQ(r.top, pixels(row.rect.top)) << row.name;
    EXPECT_EQ(r.right - r.left, pixels(row.rect.width)) << row.name;
    // A drop-down combo box's closed height too: its field is fitted to it.
    EXPECT_EQ(r.bottom - r.top, pixels(row.rect.height)) << row.name;
    ++checked;
  }
  return checked;
}

}  // namespace tollivor::test
