// The forms contract: what every kind of control answers and raises, the
// keys that press buttons, and how a modal show ends. The same expectations
// hold on both platforms.
#include "common/FormContract.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace tollivor::test {
namespace {

using forms::Colour;
using forms::systemColour;
using Log = std::vector<std::string>;

// The clicks of a log: where the pointer rests is not the concern.
Log clicks(const Log& log) {
  Log only;
  for (const auto& entry : log)
    if (entry.starts_with("Click")) only.push_back(entry);
  return only;
}

constexpr Colour kButtonText = systemColour(18), kButtonFace = systemColour(15);
constexpr Colour kWindowText = systemColour(8);

class FormContract : public ::testing::Test {
 protected:
  bool show(const std::function<void(ContractUser&)>& steps) {
    return platform->show(form, [&](ContractUser& user) {
      user.settle();
      form.events.take();  // whatever the pointer did as the form appeared
      steps(user);
    });
  }
  forms::Control control(const char* name, int index = -1) { return {form, name, index}; }

  std::unique_ptr<ContractPlatform> platform = makeContractPlatform();
  TestForm form;
};

// What each kind lets the dialogs read and set, and its colours when new.
TEST_F(FormContract, EveryKindAnswersWhatItHas) {
  const struct {
    const char* name;
    int index;
    bool text;
    std::optional<Colour> fore, back;
    bool border;
    bool window;  // enabled state, font, front
  } kinds[] = {
      {"lblName", -1, true, kButtonText, kButtonFace, false, true},
      {"txtName", -1, true, {}, {}, false, true},
      {"cboKind", -1, true, {}, {}, false, true},
      {"cmdApply", -1, true, {}, {}, false, true},
      {"optChoice", 1, true, {}, {}, false, true},
      {"chkFlag", -1, true, {}, {}, false, true},
      {"picPage", -1, false, kButtonText, kButtonFace, true, true},
      {"Line1", -1, false, kWindowText, {}, false, false},
      {"tabMain", -1, false, {}, {}, false, true},
  };
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.name);
    const auto c = control(k.name, k.index);
    EXPECT_EQ(c.setText(u"Sé & 1"), k.text);
    EXPECT_EQ(c.text(), k.text ? u"Sé & 1" : u"");

    EXPECT_EQ(c.foreColour(), k.fore);
    EXPECT_EQ(c.backColour(), k.back);
    EXPECT_EQ(c.setForeColour(0x0000FF), k.fore.has_value());
    EXPECT_EQ(c.setBackColour(systemColour(5)), k.back.has_value());
    if (k.fore) {
      EXPECT_EQ(c.foreColour(), 0x0000FF);
    }
    if (k.back) {
      EXPECT_EQ(c.backColour(), systemColour(5));
    }
    // Neither a system colour the system lacks nor a value with other top bits.
    for (Colour bad : {systemColour(31), static_cast<Colour>(0x01000000)}) {
      EXPECT_FALSE(c.setForeColour(bad));
      EXPECT_FALSE(c.setBackColour(bad));
    }
    if (k.fore) {
      EXPECT_EQ(c.foreColour(), 0x0000FF) << "a refused colour changes nothing";
    }

    EXPECT_EQ(c.setBorder(true), k.border);
    EXPECT_EQ(c.setBorder(false), k.border);

    EXPECT_EQ(c.setFontName(u"Courier New"), k.window);
    EXPECT_EQ(c.fontName(), k.window ? std::optional<std::u16string>(u"Courier New") : std::nullopt);
    EXPECT_FALSE(c.setFontName(u""));
    EXPECT_EQ(c.bringToFront(), k.window);
    EXPECT_EQ(c.setEnabled(false), k.window);
    EXPECT_FALSE(c.enabled());
    EXPECT_EQ(c.setEnabled(true), k.window);
    EXPECT_EQ(c.enabled(), k.window);

    // Whole pixels, so that both platforms keep the rectangle as set. A
    // line has end points, not a rectangle: it is neither moved nor measured.
    const forms::Rect moved{150, 150, 1500, 300};
    EXPECT_EQ(c.move(moved), k.window);
    const auto rect = form.window()->controlRect(c.id());
    ASSERT_EQ(rect.has_value(), k.window);
    if (rect) {
      EXPECT_EQ(rect->left, moved.left);
      EXPECT_EQ(rect->width, moved.width);
    }
  }

  const auto tabs = control("tabMain");
  EXPECT_EQ(tabs.currentTab(), 0);
  EXPECT_TRUE(form.window()->setCurrentTab(tabs.id(), 1));
  EXPECT_FALSE(form.window()->setCurrentTab(tabs.id(), 2));
  EXPECT_EQ(tabs.currentTab(), 1);
  EXPECT_EQ(form.events.take(), Log{}) << "setting from code raises nothing here";

  const auto combo = control("cboKind");
  EXPECT_TRUE(combo.addItem(u"First"));
  EXPECT_TRUE(combo.addItem(u"Second"));
  EXPECT_EQ(form.window()->items(combo.id()), (std::vector<std::u16string>{u"First", u"Second"}));
  EXPECT_FALSE(form.txtName.addItem(u"x"));
}

// Options are exclusive within their container. Selecting one from code, or
// changing a check box, runs its Click; clearing an option does not.
TEST_F(FormContract, OptionsAreExclusiveWithinTheirContainer) {
  const auto one = control("optChoice", 0), two = control("optChoice", 1), page = control("optPage");
  EXPECT_EQ(one.value(), 1);
  EXPECT_TRUE(page.setValue(1));
  EXPECT_EQ(one.value(), 1) << "another container";
  EXPECT_TRUE(two.setValue(1));
  EXPECT_EQ(one.value(), 0);
  EXPECT_EQ(page.value(), 1);
  EXPECT_EQ(form.events.take(), (Log{"Click optPage", "Click optChoice(1)"}));
  EXPECT_TRUE(two.setValue(1));
  EXPECT_TRUE(two.setValue(0));
  EXPECT_EQ(two.value(), 0);
  EXPECT_EQ(form.events.take(), Log{}) << "no change, then a clearing: no Click";
  EXPECT_TRUE(form.chkFlag.setValue(1));
  EXPECT_FALSE(form.chkFlag.setValue(2));
  EXPECT_EQ(form.events.take(), Log{"Click chkFlag"});

  EXPECT_TRUE(show([&](ContractUser& user) {
    user.click("optChoice", 0);
    user.click("optPage");
    user.click("chkFlag");
    EXPECT_EQ(clicks(form.events.take()), (Log{"Click optChoice(0)", "Click optPage", "Click chkFlag"}));
    user.pressEsc();
  }));
  EXPECT_EQ(one.value(), 1);
  EXPECT_EQ(two.value(), 0);
  EXPECT_EQ(page.value(), 1);
  EXPECT_EQ(form.chkFlag.value(), 0);
}

// Which kinds raise Click on a mouse click and MouseMove under the pointer:
// a hover handler bound to any other kind would never run on Windows.
TEST_F(FormContract, ClicksAndMouseMovesComeOnlyFromTheKindsThatRaiseThem) {
  const struct {
    const char* name;
    int index;
    Log onMove, onClick;
  } kinds[] = {
      {"lblName", -1, {"MouseMove lblName"}, {}},
      {"txtName", -1, {}, {}},
      {"cboKind", -1, {}, {}},
      {"cmdApply", -1, {"MouseMove cmdApply"}, {"Click cmdApply"}},
      {"optChoice", 1, {}, {"Click optChoice(1)"}},
      {"chkFlag", -1, {}, {"Click chkFlag"}},
      {"picPage", -1, {"MouseMove picPage"}, {}},
      {"lblPage", -1, {"MouseMove lblPage"}, {}},
      {"optPage", -1, {}, {"Click optPage"}},
      {"tabMain", -1, {}, {}},
      {"picPreview", -1, {"MouseMove picPreview"}, {}},
  };
  EXPECT_TRUE(show([&](ContractUser& user) {
    for (const auto& k : kinds) {
      SCOPED_TRACE(k.name);
      user.moveMouse(k.name, k.index);
      EXPECT_EQ(form.events.take(), k.onMove);
      user.click(k.name, k.index);
      EXPECT_EQ(clicks(form.events.take()), k.onClick);
    }
    user.pressEsc();
  }));

  control("cmdApply").setEnabled(false);
  EXPECT_TRUE(show([&](ContractUser& user) {
    user.moveMouse("cmdApply");
    user.click("cmdApply");
    EXPECT_EQ(form.events.take(), Log{}) << "a disabled button";
    user.pressEsc();
  }));
}

// A tab chosen by the user raises Click once; the same tab again, nothing.
TEST_F(FormContract, ChoosingATabRaisesClick) {
  EXPECT_TRUE(show([&](ContractUser& user) {
    user.chooseTab("tabMain", 1);
    EXPECT_EQ(clicks(form.events.take()), Log{"Click tabMain 1"});
    user.chooseTab("tabMain", 1);
    EXPECT_EQ(clicks(form.events.take()), Log{});
    user.pressEsc();
  }));
  EXPECT_EQ(control("tabMain").currentTab(), 1);
}

// Only fields, buttons, options, check boxes and tab strips take the focus.
TEST_F(FormContract, FocusGoesOnlyToKindsThatTakeIt) {
  std::vector<std::string> took;
  form.onApply = [&] {
    for (const auto& row : form.table().controls) {
      const forms::Control c(form, row.name, row.index);
      if (c.setFocus() && form.window()->focus() == c.id()) took.push_back(row.name);
    }
  };
  EXPECT_FALSE(form.txtName.setFocus()) << "not shown";
  EXPECT_TRUE(show([&](ContractUser& user) {
    user.click("cmdApply");
    user.pressEsc();
  }));
  EXPECT_EQ(took, (std::vector<std::string>{"txtName", "cboKind", "chkFlag", "optChoice",
                                            "optChoice", "cmdApply", "cmdOK", "cmdCancel",
                                            "tabMain", "optPage"}));
}

// Enter presses the focused button, else the default one; Esc presses
// Cancel if the user can reach it. Each show ends hidden, still loaded;
// the close box unloads.
TEST_F(FormContract, KeysPressTheRightButtonAndAShowEndsHidden) {
  const struct {
    const char* what;
    std::function<void(ContractUser&)> act;
    Log pressed;
    std::u16string result;
    bool loaded;
  } cases[] = {
      {"Enter in a field", [](ContractUser& u) { u.focus("txtName"); u.pressEnter(); },
       {"Click cmdOK"}, u"typed", true},
      {"Enter on Cancel", [](ContractUser& u) { u.focus("cmdCancel"); u.pressEnter(); },
       {"Click cmdCancel"}, u"", true},
      {"Enter on another button",
       [](ContractUser& u) { u.focus("cmdApply"); u.pressEnter(); u.pressEsc(); },
       {"Click cmdApply", "Click cmdCancel"}, u"", true},
      {"Enter after a click on another button",
       [](ContractUser& u) { u.click("cmdApply"); u.pressEnter(); u.pressEsc(); },
       {"Click cmdApply", "Click cmdApply", "Click cmdCancel"}, u"", true},
      {"Enter on a check box", [](ContractUser& u) { u.focus("chkFlag"); u.pressEnter(); },
       {"Click cmdOK"}, u"typed", true},
      {"Esc", [](ContractUser& u) { u.pressEsc(); }, {"Click cmdCancel"}, u"", true},
      {"OK", [](ContractUser& u) { u.click("cmdOK"); }, {"Click cmdOK"}, u"typed", true},
      {"close box", [](ContractUser& u) { u.closeWindow(); }, {}, u"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    form.resultText.clear();
    form.txtName.setText(u"typed");
    EXPECT_TRUE(show([&](ContractUser& user) {
      c.act(user);
      EXPECT_EQ(clicks(form.events.take()), c.pressed);
    }));
    EXPECT_EQ(form.resultText, c.result);
    EXPECT_EQ(form.isLoaded(), c.loaded);
    if (form.isLoaded()) {
      EXPECT_FALSE(form.window()->isVisible());
      EXPECT_EQ(form.txtName.text(), u"typed") << "hidden, not unloaded";
    }
  }
}

// Alt and a caption's underlined letter press that button or check box; a
// label's hands the focus to the control after it. Upper or lower case.
TEST_F(FormContract, AccessKeysPressButtonsAndLabelsLeadToTheirField) {
  form.txtName.setText(u"typed");
  EXPECT_TRUE(show([&](ContractUser& user) {
    user.pressAccessKey(u'a');
    user.pressAccessKey(u'F');
    EXPECT_EQ(clicks(form.events.take()), (Log{"Click cmdApply", "Click chkFlag"}));
    user.pressAccessKey(u'n');
    EXPECT_TRUE(user.hasFocus("txtName"));
    user.pressEnter();
    EXPECT_EQ(clicks(form.events.take()), Log{"Click cmdOK"}) << "from the name field, Enter is OK";
  }));
  EXPECT_EQ(form.chkFlag.value(), 1);
  EXPECT_EQ(form.resultText, u"typed");
}

TEST_F(FormContract, EscLeavesADisabledCancelAlone) {
  form.txtName.setText(u"typed");
  form.cmdCancel.setEnabled(false);
  EXPECT_TRUE(show([&](ContractUser& user) {
    user.pressEsc();
    EXPECT_EQ(clicks(form.events.take()), Log{});
    user.pressEnter();
  }));
  EXPECT_EQ(form.resultText, u"typed");
}

// Only a shown form is closed by its user: a close command that reaches it
// hidden must not unload it at the end of the next show.
TEST_F(FormContract, ACloseCommandToAHiddenFormIsIgnored) {
  form.txtName.setText(u"kept");
  platform->closeHidden(form);
  EXPECT_TRUE(form.isLoaded());
  EXPECT_TRUE(show([&](ContractUser& user) { user.pressEnter(); }));
  EXPECT_EQ(form.resultText, u"kept");
  EXPECT_TRUE(form.isLoaded());
  EXPECT_EQ(form.loads, 1);
}

}  // namespace
}  // namespace tollivor::test
