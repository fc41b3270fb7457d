// The settings editor on the in-memory platform: a host object, the store
// as plain data, and the dialog shown with a scripted user.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/HeadlessTest.h"
#include "forms/FormInstance.h"
#include "forms/headless/HeadlessPlatform.h"
#include "settings/CSettingEx.h"
#include "settings/frmSettingEx.h"

namespace tollivor::test {

using forms::headless::HeadlessPlatform;
using forms::headless::HeadlessWindow;
using forms::headless::ScriptedUser;
using KeyValues = std::vector<std::pair<std::u16string, std::u16string>>;

// What OK writes on a fresh dialog over an empty store, in key order.
inline const KeyValues kFreshWrites = {
    {u"Behavior", u"click"},         {u"Speed", u"100"},
    {u"ShowTip", u"yes"},            {u"SmartSlide", u"no"},
    {u"Direction", u"right"},        {u"Color_mouseEnter", u"-2147483628"},
    {u"Color_mouseExit", u"-2147483627"}, {u"BackgroundPicture", u""},
    {u"Appearance", u"0"},           {u"Sound", u""},
    {u"GroupSetting", u"0"}};

class SettingsEditor : public HeadlessTest {
 protected:
  void SetUp() override { settings = std::make_unique<CSettingEx>(); }
  void TearDown() override {
    settings.reset();
    HeadlessTest::TearDown();
  }

  // A new host object on a form loaded afresh.
  void reload() {
    settings.reset();
    settings = std::make_unique<CSettingEx>();
  }

  frmSettingEx& form() { return forms::FormInstance<frmSettingEx>::get(); }
  HeadlessWindow& window() { return *system.windowOf(form().handle()); }

  void store(const std::u16string& key, const std::u16string& value) {
    system.settings[{u"Quorin", u"Setting", key}] = value;
  }

  // Shows the dialog while the user acts; answers the keys written meanwhile.
  KeyValues show(HeadlessPlatform::Script script) {
    const size_t before = system.settingWrites.size();
    system.onNextShow(std::move(script));
    settings->Show();
    KeyValues written;
    for (size_t i = before; i < system.settingWrites.size(); ++i) {
      const auto& w = system.settingWrites[i];
      EXPECT_EQ(w.app, u"Quorin");
      EXPECT_EQ(w.section, u"Setting");
      written.emplace_back(w.key, w.value);
    }
    return written;
  }

  KeyValues showAndOk(std::function<void(ScriptedUser&)> steps = {}) {
    return show([steps](ScriptedUser& user) {
      if (steps) steps(user);
      user.click("cmdOK");
    });
  }

  // The fresh writes with some keys changed.
  static KeyValues freshWritesWith(const KeyValues& changes) {
    KeyValues expected = kFreshWrites;
    for (const auto& [key, value] : changes)
      for (auto& entry : expected)
        if (entry.first == key) entry.second = value;
    return expected;
  }

  std::unique_ptr<CSettingEx> settings;
};

}  // namespace tollivor::test
