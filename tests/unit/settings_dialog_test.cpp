// The settings dialog as the user meets it: its pages and tabs, its fonts,
// and the ways it ends.
#include <gtest/gtest.h>

#include "unit/settings_fixture.h"

namespace tollivor::test {
namespace {

using forms::Kind;

int frontPage(HeadlessWindow& w) {
  int front = -1;
  for (int page = 0; page < frmSettingEx::kPageCount; ++page)
    if (w.isFrontPage("Picture1", page)) front = page;
  return front;
}

TEST_F(SettingsEditor, LoadingStacksThePagesWithTheFirstInFront) {
  for (int page = 0; page < frmSettingEx::kPageCount; ++page) {
    SCOPED_TRACE(page);
    const auto rect = window().controlRect(form().Picture1[page].id());
    ASSERT_TRUE(rect);
    EXPECT_EQ(rect->left, 240);
    EXPECT_EQ(rect->top, 840);
    EXPECT_EQ(rect->width, 4215);
    EXPECT_EQ(rect->height, 1575);
  }
  EXPECT_EQ(frontPage(window()), 0);
  EXPECT_EQ(form().SSTab1.currentTab(), 0);
}

TEST_F(SettingsEditor, TahomaForEverythingButTheCommandButtons) {
  int checked = 0;
  for (const auto& row : form().table().controls) {
    SCOPED_TRACE(row.name + "(" + std::to_string(row.index) + ")");
    const auto font = forms::Control(form(), row.name, row.index).fontName();
    ASSERT_TRUE(font);
    EXPECT_EQ(*font, row.kind == Kind::CommandButton ? u"MS Sans Serif" : u"Tahoma");
    ++checked;
  }
  EXPECT_EQ(checked, 56) << "the tab strip, ten pages, 43 page controls and two buttons";
}

// Each tab brings its own page to the front; what lies on a covered page
// is out of reach, and its state is kept.
TEST_F(SettingsEditor, ChoosingATabShowsItsPage) {
  const auto written = showAndOk([&](ScriptedUser& user) {
    user.select("OptNoToolTip");  // page 2 is covered
    EXPECT_EQ(form().OptToolTip.value(), 1);
    for (int tab : {7, 2, 9, 0}) {
      user.chooseTab("SSTab1", tab);
      EXPECT_EQ(frontPage(window()), tab);
      if (tab == 2) user.select("OptNoToolTip");
      if (tab == 7) user.select("OptAppearence", 1);
    }
  });
  EXPECT_EQ(written, freshWritesWith({{u"ShowTip", u"no"}, {u"Appearance", u"1"}}));
}

TEST_F(SettingsEditor, EnterIsOkUnlessAnotherButtonHasTheFocus) {
  EXPECT_TRUE(show([](ScriptedUser& user) {
                user.focus("cmdCancel");
                user.pressEnter();
              }).empty());
  EXPECT_TRUE(show([](ScriptedUser& user) {
                user.chooseTab("SSTab1", 5);
                user.focus("cmdNormalState");
                user.pressEnter();  // opens the colour dialog (cancelled)
                user.pressEsc();
              }).empty());
  EXPECT_EQ(system.colourDialogs.size(), 1u);
  EXPECT_EQ(show([](ScriptedUser& user) {
              user.chooseTab("SSTab1", 0);  // the dialog opens on the page left in front
              user.select("OptMove");
              user.focus("OptMove");
              user.pressEnter();
            }),
            freshWritesWith({{u"Behavior", u"move"}}));
}

TEST_F(SettingsEditor, EscAndTheCloseCommandWriteNothing) {
  EXPECT_TRUE(show([](ScriptedUser& user) {
                user.select("OptMove");
                user.pressEsc();
              }).empty());
  EXPECT_EQ(form().OptMove.value(), 1) << "Cancel only hides";
  EXPECT_TRUE(show([](ScriptedUser& user) {
                user.select("OptClick");
                user.closeWindow();
              }).empty());
  EXPECT_TRUE(system.settingWrites.empty());
  EXPECT_EQ(form().OptMove.value(), 0) << "the close command unloads the form: a fresh one";
}

}  // namespace
}  // namespace tollivor::test
