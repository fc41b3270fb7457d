// One concern of the platform replaced by itself: the rest stays the
// installed platform's.
#include <gtest/gtest.h>

#include <vector>

#include "common/HeadlessTest.h"
#include "settings/CSettingEx.h"

namespace tollivor {
namespace {

// A store that refuses every write and remembers what it was asked.
class RefusingStore final : public forms::SettingsStorage {
 public:
  std::optional<std::u16string> readSetting(const std::u16string&, const std::u16string&,
                                            const std::u16string&) noexcept override {
    return std::nullopt;
  }
  bool writeSetting(const std::u16string&, const std::u16string&, const std::u16string& key,
                    const std::u16string&) noexcept override {
    keys.push_back(key);
    return false;
  }
  std::vector<std::u16string> keys;
};

class ReplacedService : public test::HeadlessTest {};

TEST_F(ReplacedService, OnlyTheReplacedConcernChanges) {
  RefusingStore store;
  {
    const forms::ScopedService<forms::SettingsStorage> replaced(store);
    CSettingEx settings;
    system.onNextShow([](forms::headless::ScriptedUser& user) { user.pressEnter(); });
    settings.Show();
  }
  EXPECT_EQ(store.keys.size(), 11u) << "every key is still tried after a failed write";
  EXPECT_TRUE(system.settingWrites.empty()) << "the platform's own store was not used";
  EXPECT_EQ(system.modalShows, 1) << "the dialog itself still ran on the platform";
  EXPECT_EQ(&forms::settingsStorage(), static_cast<forms::SettingsStorage*>(&system));
}

}  // namespace
}  // namespace tollivor
