// The forms contract, the same on both platforms, that the dialogs' own tests rely on.
#include "common/FormContract.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>

namespace tollivor::test {
namespace {

using forms::Colour;
using Log = std::vector<std::string>;
using Steps = std::function<void(ContractUser&)>;

// The clicks of a log: where the pointer rests is not the concern.
Log clicks(Log log) { return std::erase_if(log, [](auto& e) { return !e.starts_with("Click"); }), log; }

class FormContract : public ::testing::Test {
 protected:
  bool show(const Steps& steps) {  // after whatever the pointer did as the form appeared
    return platform->show(form, [&](ContractUser& u) { u.settle(), form.events.take(), steps(u); });
  }
  std::unique_ptr<ContractPlatform> platform = makeContractPlatform();
  TestForm form;
};

// Per kind: which raise MouseMove and Click under the mouse (a hover handler bound to another kind
// never runs on Windows), which take the focus, what code may set, the colours when new.
TEST_F(FormContract, EveryKindAnswersAndRaisesWhatItHas) {
  const std::optional<Colour> no, text = forms::systemColour(18), face = forms::systemColour(15);
  const struct { const char* name; int index; bool moves, clicks, text, window; std::optional<Colour> fore, back; }
  kinds[] = {{"lblName", -1, 1, 0, 1, 1, text, face}, {"txtName", -1, 0, 0, 1, 1, no, no},
               {"cboKind", -1, 0, 0, 1, 1, no, no},     {"cmdApply", -1, 1, 1, 1, 1, no, no},
               {"optChoice", 1, 0, 1, 1, 1, no, no},    {"chkFlag", -1, 0, 1, 1, 1, no, no},
               {"picPage", -1, 1, 0, 0, 1, text, face}, {"lblPage", -1, 1, 0, 1, 1, text, face},
               {"optPage", -1, 0, 1, 1, 1, no, no},     {"tabMain", -1, 0, 0, 0, 1, no, no},
               {"picPreview", -1, 1, 0, 0, 1, text, face}, {"Line1", -1, 0, 0, 0, 0, forms::systemColour(8), no}};
  Log took;
  std::atomic<bool> sweep = false;  // a last click on Apply tries the focus on every control
  form.onApply = [&] {
    for (const auto& row : form.table().controls)
      if (forms::Control c(form, row.name, row.index); sweep && c.setFocus() && form.window()->focus() == c.id())
        took.push_back(row.name);
  };
  EXPECT_TRUE(show([&](ContractUser& user) {
    for (const auto& k : kinds) {
      const auto name = k.index < 0 ? k.name : k.name + ("(" + std::to_string(k.index) + ")");
      SCOPED_TRACE(name);
      if (!k.window) continue;
      user.moveMouse(k.name, k.index);
      EXPECT_EQ(form.events.take(), k.moves ? Log{"MouseMove " + name} : Log{});
      user.click(k.name, k.index);
      EXPECT_EQ(clicks(form.events.take()), k.clicks ? Log{"Click " + name} : Log{});
    }
    user.chooseTab("tabMain", 1), user.chooseTab("tabMain", 1);
    EXPECT_EQ(clicks(form.events.take()), Log{"Click tabMain 1"});
    sweep = true;
    user.click("cmdApply");
    user.pressEsc();
  }));
  EXPECT_EQ(took, (Log{"txtName", "cboKind", "chkFlag", "optChoice", "optChoice", "cmdApply", "cmdOK",
                       "cmdCancel", "tabMain", "optPage"}));
  for (const auto& k : kinds) {  // neither a system colour the system lacks nor other top bits are taken
    SCOPED_TRACE(k.name);
    const forms::Control c(form, k.name, k.index);
    EXPECT_EQ(std::pair(c.foreColour(), c.backColour()), std::pair(k.fore, k.back));
    EXPECT_FALSE(c.setForeColour(forms::systemColour(31)) || c.setBackColour(Colour{0x01000000}));
    EXPECT_EQ(c.setForeColour(0x0000FF) && c.foreColour() == 0x0000FF, k.fore.has_value());
    EXPECT_EQ(c.setText(u"Sé & 1") && c.text() == u"Sé & 1", k.text);
    EXPECT_EQ(c.setFontName(u"Courier New") && c.fontName() == u"Courier New" && !c.setFontName(u""), k.window);
    EXPECT_EQ(c.setEnabled(false) && !c.enabled() && c.setEnabled(true) && c.bringToFront(), k.window);
    EXPECT_EQ(c.setBorder(true) && c.setBorder(false), std::string(k.name).starts_with("pic"));
  }
  // Options exclude each other per container; a change from code runs Click, clearing does not.
  const forms::Control one(form, "optChoice", 0), two(form, "optChoice", 1), page(form, "optPage");
  form.events.take();
  EXPECT_TRUE(one.setValue(1) && one.setValue(1) && form.chkFlag.setValue(0) && !form.chkFlag.setValue(2));
  EXPECT_EQ(std::tuple(one.value(), two.value(), page.value()), std::tuple(1, 0, 1));
  EXPECT_TRUE(one.setValue(0));
  EXPECT_EQ(form.events.take(), (Log{"Click optChoice(0)", "Click chkFlag"}));
}

// Enter presses the focused button, else the default; Esc an enabled Cancel; Alt+letter a button or
// check box, or leads to a label's field. A show ends hidden; the close box unloads, unless hidden.
TEST_F(FormContract, KeysPressTheRightButtonAndAShowEndsHidden) {
  const auto enterOn = [](const char* on) { return [=](ContractUser& u) { u.focus(on), u.pressEnter(); }; };
  const struct { const char* what; Steps act; Log pressed; bool ok, loaded = true, noCancel = false; } cases[] = {
      {"close box", [](ContractUser& u) { u.closeWindow(); }, {}, false, false},
      {"Enter in a field", enterOn("txtName"), {"Click cmdOK"}, true},
      {"Enter on a check box", enterOn("chkFlag"), {"Click cmdOK"}, true},
      {"Enter on Cancel", enterOn("cmdCancel"), {"Click cmdCancel"}, false},
      {"Enter after a click on Apply", [](ContractUser& u) { u.click("cmdApply"), u.pressEnter(), u.pressEsc(); },
       {"Click cmdApply", "Click cmdApply", "Click cmdCancel"}, false},
      {"OK", [](ContractUser& u) { u.click("cmdOK"); }, {"Click cmdOK"}, true},
      {"Esc, no Cancel", [](ContractUser& u) { u.pressEsc(), u.pressEnter(); }, {"Click cmdOK"}, true, true, true},
      {"access keys", [](ContractUser& u) { u.pressAccessKey(u'a'), u.pressAccessKey(u'F'), u.pressEsc(); },
       {"Click cmdApply", "Click chkFlag", "Click cmdCancel"}, false},
      {"a label's access key", [](ContractUser& u) { u.focus("cmdCancel"), u.pressAccessKey(u'n'), u.pressEnter(); },
       {"Click cmdOK"}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    form.resultText.clear();
    form.txtName.setText(u"typed");
    form.cmdCancel.setEnabled(!c.noCancel);
    EXPECT_TRUE(show([&](ContractUser& user) {
      c.act(user);
      EXPECT_EQ(clicks(form.events.take()), c.pressed);
    }));
    EXPECT_EQ(form.resultText, c.ok ? u"typed" : u"");
    ASSERT_EQ(form.isLoaded(), c.loaded);
    EXPECT_TRUE(!c.loaded || (!form.window()->isVisible() && form.txtName.text() == u"typed")) << "only hidden";
    EXPECT_TRUE(!c.loaded || !form.window()->focus()) << "a hidden form has no keyboard focus";
  }
  platform->closeHidden(form);
  EXPECT_TRUE(show([&](ContractUser& user) { user.pressEnter(); }));
  EXPECT_TRUE(form.isLoaded() && form.loads == 2 && form.resultText == u"typed");
}

}  // namespace
}  // namespace tollivor::test
