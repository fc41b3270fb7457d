// Every form's control members and handlers name controls its table has,
// and every table is well formed: a misspelt name must fail here rather
// than make a control quietly do nothing.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "group/frmGroup.h"
#include "item/frmProperty.h"
#include "settings/frmSettingEx.h"

namespace tollivor {
namespace {

void expectWellFormed(const forms::Form& form) {
  SCOPED_TRACE(std::string(form.table().caption.begin(), form.table().caption.end()));
  EXPECT_EQ(form.unresolvedNames(), std::vector<std::string>{});
  std::set<std::pair<std::string, int>> seen;
  for (const auto& row : form.table().controls) {
    EXPECT_TRUE(seen.insert({row.name, row.index}).second) << "twice: " << row.name;
    if (!row.container.empty())
      EXPECT_GE(form.find(row.container, row.containerIndex), 0) << row.name << " in nothing";
  }
}

TEST(FormTables, EveryNamedControlIsInItsTable) {
  expectWellFormed(frmProperty{});
  expectWellFormed(frmGroup{});
  expectWellFormed(frmSettingEx{});
}

// Exactly the boxes that hold a path ask the platform for path completion,
// and only boxes the user types in.
TEST(FormTables, PathBoxesAndOnlyThoseAskForPathCompletion) {
  const std::set<std::string> pathBoxes{"Text1", "txtBgPict", "txtSoundFile"};
  for (const auto& table : {frmPropertyTable(), frmGroupTable(), frmSettingExTable()}) {
    SCOPED_TRACE(std::string(table.caption.begin(), table.caption.end()));
    for (const auto& row : table.controls) {
      const bool asks = (row.flags & forms::kPathCompletion) != 0;
      const bool typed = row.kind == forms::Kind::TextBox || row.kind == forms::Kind::ComboBox;
      EXPECT_EQ(asks, typed && pathBoxes.count(row.name) == 1) << row.name;
    }
  }
}

TEST(FormTables, AMisspeltNameIsReported) {
  struct Misspelt : frmProperty {
    forms::Control typo{*this, "Txt1"};
    forms::ControlArray<3> lines{*this, "Line1"};  // the table has two
  } form;
  EXPECT_EQ(form.unresolvedNames(), (std::vector<std::string>{"Txt1", "Line1(2)"}));
}

}  // namespace
}  // namespace tollivor
