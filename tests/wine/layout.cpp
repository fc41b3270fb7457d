#include "layout.h"

#include <gtest/gtest.h>

#include <string>

#include "driver.h"

namespace tollivor::test {

HWND controlByCaption(HWND dialog, const forms::ControlRow& row) {
  if (row.caption.empty()) return nullptr;
  return driver::findControl(dialog, std::wstring(row.caption.begin(), row.caption.end()));
}

int expectTableLayout(HWND dialog, const forms::FormTable& table, const ControlLocator& locate) {
  constexpr int kTwips = forms::kTwipsPerPixel;
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, table.clientWidth / kTwips);
  EXPECT_EQ(client.bottom, table.clientHeight / kTwips);
  int checked = 0;
  for (const auto& row : table.controls) {
    if (row.kind == forms::Kind::Line) continue;
    HWND control = locate(row);
    if (!control) continue;
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, row.rect.left / kTwips) << row.name;
    EXPECT_EQ(r.top, row.rect.top / kTwips) << row.name;
    EXPECT_EQ(r.right - r.left, row.rect.width / kTwips) << row.name;
    if (row.kind != forms::Kind::ComboBox) {
      EXPECT_EQ(r.bottom - r.top, row.rect.height / kTwips) << row.name;
    }
    ++checked;
  }
  return checked;
}

}  // namespace tollivor::test
