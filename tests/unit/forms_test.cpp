// The forms framework: every name a form uses resolves, a load handler may
// unload its own form and finds the table's colours set, and a replaced service replaces only its concern.
#include <set>

#include "common/TestForm.h"
#include "group/frmGroup.h"
#include "item/frmProperty.h"
#include "settings/CSettingEx.h"
#include "settings/frmSettingEx.h"
#include "unit/harness.h"

namespace tollivor::test {
namespace {

// A misspelt name must fail here rather than make a control quietly do
// nothing; each row is there once, and inside a container that exists.
TEST(FormTables, EveryNamedControlIsInItsTableOnce) {
  const frmProperty item;
  const frmGroup group;
  const frmSettingEx settings;
  for (const forms::Form* form : std::initializer_list<const forms::Form*>{&item, &group, &settings}) {
    EXPECT_EQ(form->unresolvedNames(), std::vector<std::string>{});
    std::set<std::pair<std::string, int>> seen;
    for (const auto& row : form->table().controls)
      EXPECT_TRUE(seen.insert({row.name, row.index}).second &&
                  (row.container.empty() || form->find(row.container, row.containerIndex) >= 0)) << row.name;
  }
  struct Misspelt : frmProperty {
    forms::Control typo{*this, "Txt1"};
    forms::ControlArray<3> lines{*this, "Line1"};  // the table has two
  } misspelt;
  EXPECT_EQ(misspelt.unresolvedNames(), (std::vector<std::string>{"Txt1", "Line1(2)"}));
}

// The load then ends quietly, and a later touch loads the form again.
TEST_F(Headless, ALoadHandlerMayUnloadItsForm) {
  struct SelfUnloading : TestForm {
    void Form_Load() override { ++loads == 1 ? unload() : void(); }
  } form;
  EXPECT_TRUE(form.load() && !form.isLoaded()) << "the load ends quietly";
  EXPECT_TRUE(form.txtName.setText(u"again") && form.isLoaded() && form.loads == 2);
}

// Colours the table gives are in place when the load handler runs.
TEST_F(Headless, ARowsColourIsTheControlsByItsLoadHandler) {
  struct Lined : forms::Form {
    Lined() : Form({.controls = forms::controlRows({{.kind = forms::Kind::Line, .name = "Line1", .foreColour = 0x123456}})}) {}
    void Form_Load() override { seen = Line1.foreColour(); }
    forms::Control Line1{*this, "Line1"};
    std::optional<forms::Colour> seen;
  } form;
  EXPECT_TRUE(form.load());
  EXPECT_EQ(form.seen, forms::Colour{0x123456});
}

// A store that refuses every write and remembers what it was asked.
struct RefusingStore final : forms::SettingsStorage {
  std::optional<Text> readSetting(const Text&, const Text&, const Text&) noexcept override { return {}; }
  bool writeSetting(const Text&, const Text&, const Text& key, const Text&) noexcept override {
    return keys.push_back(key), false;
  }
  std::vector<Text> keys;
};

TEST_F(Headless, AReplacedServiceChangesOnlyItsConcern) {
  RefusingStore store;
  {
    const forms::ScopedService<forms::SettingsStorage> replaced(store);
    system.onNextShow([](ScriptedUser& user) { user.pressEnter(); });
    CSettingEx().Show();
  }
  EXPECT_EQ(store.keys.size(), 11u) << "every key is still tried after a failed write";
  EXPECT_TRUE(system.settingWrites.empty());
  EXPECT_EQ(system.modalShows, 1) << "the dialog itself still ran on the platform";
  EXPECT_EQ(&forms::settingsStorage(), static_cast<forms::SettingsStorage*>(&system));
}

}  // namespace
}  // namespace tollivor::test
