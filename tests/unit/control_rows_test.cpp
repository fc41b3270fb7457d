// Table files write rows as constant RowSpecs; the forms see ControlRows.
// Every field must come across, and a row without a font name keeps the
// form's own font rather than getting an empty one.
#include <gtest/gtest.h>

#include "forms/Platform.h"
#include "settings/frmSettingEx.h"

namespace tollivor::forms {
namespace {

TEST(ControlRows, EveryFieldComesAcross) {
  const std::vector<ControlRow> rows = controlRows({
      {.kind = Kind::TabStrip, .name = "SSTab1", .index = 3, .caption = u"Cap",
       .rect = {1, 2, 3, 4}, .font = {u"Tahoma", 9, true}, .flags = kHidden | kDisabled,
       .container = "Picture1", .containerIndex = 7, .tabs = {u"A", u"B "}, .tabsPerRow = 5},
      {.kind = Kind::Line, .name = "Line1", .line = {10, 20, 30, 40}},
  });
  ASSERT_EQ(rows.size(), 2u);
  const ControlRow& tab = rows[0];
  EXPECT_EQ(tab.kind, Kind::TabStrip);
  EXPECT_EQ(tab.name, "SSTab1");
  EXPECT_EQ(tab.index, 3);
  EXPECT_EQ(tab.caption, u"Cap");
  EXPECT_EQ(tab.rect.left, 1);
  EXPECT_EQ(tab.rect.top, 2);
  EXPECT_EQ(tab.rect.width, 3);
  EXPECT_EQ(tab.rect.height, 4);
  ASSERT_TRUE(tab.font.has_value());
  EXPECT_EQ(tab.font->name, u"Tahoma");
  EXPECT_EQ(tab.font->points, 9);
  EXPECT_TRUE(tab.font->bold);
  EXPECT_EQ(tab.flags, kHidden | kDisabled);
  EXPECT_EQ(tab.container, "Picture1");
  EXPECT_EQ(tab.containerIndex, 7);
  EXPECT_EQ(tab.tabs, (std::vector<std::u16string>{u"A", u"B "}));
  EXPECT_EQ(tab.tabsPerRow, 5);

  const ControlRow& line = rows[1];
  EXPECT_EQ(line.index, -1);
  EXPECT_EQ(line.caption, u"");
  EXPECT_FALSE(line.font.has_value()) << "no font name: the form's own font";
  EXPECT_EQ(line.line.x1, 10);
  EXPECT_EQ(line.line.y2, 40);
  EXPECT_EQ(line.container, "");
  EXPECT_EQ(line.containerIndex, -1);
  EXPECT_TRUE(line.tabs.empty());
}

// Page rows land in their page's container, in order, after the frame.
TEST(ControlRows, SettingsPagesKeepTheirContainers) {
  const FormTable table = frmSettingExTable();
  int lastPage = -1;
  for (const ControlRow& row : table.controls) {
    if (row.container.empty()) continue;
    SCOPED_TRACE(row.name + "(" + std::to_string(row.index) + ")");
    EXPECT_EQ(row.container, "Picture1");
    EXPECT_GE(row.containerIndex, lastPage) << "pages in order";
    lastPage = row.containerIndex;
  }
  EXPECT_EQ(lastPage, frmSettingEx::kPageCount - 1);
}

}  // namespace
}  // namespace tollivor::forms
