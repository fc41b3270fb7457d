// The item dialog: records in, what OK accepts for a target, the choosers,
// and the lifetime of the form that the objects of one thread share.
#include <optional>

#include "item/CProperty.h"
#include "item/frmProperty.h"
#include "unit/harness.h"

namespace tollivor::test {
namespace {

const Text kEditor = u"C:\\Tools\\edit.exe", kTools = u"C:\\Tools";
const Shows kEditorIcon{u"file:" + kEditor}, kToolsIcon{u"file:" + kTools}, kMyComputer{u"special:5"};

class Item : public Editor<CProperty, frmProperty> {
 protected:
  Item() {
    system.files[kEditor] = 32;
    system.files[kTools] = forms::kAttrDirectory;
  }
  Text target() { return form().Text1.text(); }
  Shows picture() { return preview("Picture1"); }
};

// Applied in order to one dialog: the empty record changes nothing.
TEST_F(Item, RecordsSplitAtTheFirstBarAndDrawTheTargetsIcon) {
  const struct { Text record, target, tip; Shows preview; } cases[] = {
      {kEditor + u"|Editor", kEditor, u"Editor", kEditorIcon},
      {u"a|b|c", u"a", u"b|c", {}},  // a missing path clears the preview
      {u"My Computer|", u"My Computer", u"", kMyComputer},
      {u"", u"My Computer", u"", kMyComputer},
      {u"Fonts Folder|x", u"Fonts Folder", u"x", {u"special:6"}},  // known, though not offered
      {u"my computer|x", u"my computer", u"x", {}},                // names match exactly
      {u"|tip", u"", u"tip", {}},
      {kEditor, u"", u"", {}},                                // no bar empties both
      {Text(32767, u'x') + u"|tip", u"", u"", {}},  // so does one past character 32,767
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    EXPECT_TRUE(object->ItemInfo(c.record));
    EXPECT_EQ(std::tuple(target(), form().Text2.text(), picture()), std::tuple(c.target, c.tip, c.preview));
    EXPECT_EQ(object->ItemInfo(), u"") << "writing does not set the result";
  }
  // The one member that reports failure: a field that cannot be written ends the write.
  system.failingTextWrites = {"Text1"};
  EXPECT_FALSE(object->ItemInfo(u"My Computer|tip"));
  EXPECT_EQ(form().Text2.text(), u"");
  system.failingTextWrites = {"Text2"};
  EXPECT_FALSE(object->ItemInfo(u"My Computer|tip"));
  EXPECT_EQ(target(), u"My Computer");
}

// Offered special items (picked from the list) pass unchecked; anything else must be a path the
// shell knows. A refusal beeps, titles its message with the target, and focuses the target.
TEST_F(Item, OkAcceptsOfferedItemsAndExistingPaths) {
  const struct { Text target; bool picked, accepted; } cases[] = {
      {u"My Computer", true, true},    {u"Network Neighborhood", true, true}, {u"Control Panel", true, true},
      {u"Recycle Bin", true, true},    {u"Printer Folder", true, true},       {u"Desktop Folder", true, true},
      {u"Fonts Folder", false, false}, {u"my computer", false, false},        {u"c:\\tools", false, true},
      {u"C:\\Tools\\gone.exe", false, false}, {u"", false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.target.begin(), c.target.end()));
    reload();
    object->ItemInfo(u"x|tip");
    std::string focus;
    const auto result = edit([&](ScriptedUser& user) {
      user.type("Text1", u"");
      c.picked ? user.pick("Text1", c.target) : user.type("Text1", c.target);
      user.focus("Text2"), user.pressEnter();
      focus = user.focusedControl();
      if (user.window()) user.pressEsc();
    });
    EXPECT_EQ(result, c.accepted ? c.target + u"|tip" : u"");
    EXPECT_EQ(system.beeps, !c.accepted);
    ASSERT_EQ(system.messageBoxes.size(), !c.accepted);
    if (c.accepted) continue;
    EXPECT_EQ(system.messageBoxes[0].title, c.target);
    EXPECT_EQ(focus, "Text1");
  }
}

// Browse File, Browse Folder and a drop, cancelled or chosen: the chosen path becomes the target
// with its icon, and OK keeps it. A pick from the list draws the special icon; typing does not.
TEST_F(Item, ChoosersReplaceTheTargetAndItsIcon) {
  const Text my = u"My Computer";  // the target before
  const struct { std::string how; std::optional<Text> chosen; std::vector<Text> files; Text target; Shows preview; }
  cases[] = {{"cmdFile", {}, {}, my, kMyComputer}, {"cmdFile", kEditor, {}, kEditor, kEditorIcon},
             {"cmdFolder", {}, {}, my, kMyComputer}, {"cmdFolder", kTools, {}, kTools, kToolsIcon},
             {"drop", {}, {kEditor, kTools}, kEditor, kEditorIcon}, {"drop", {}, {kTools}, kTools, kToolsIcon},
             {"drop", {}, {}, my, kMyComputer}};
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    object->ItemInfo(my + u"|tip");
    if (c.how == "cmdFile") system.answerNextOpen(c.chosen);
    if (c.how == "cmdFolder") system.answerNextFolder(c.chosen);
    EXPECT_EQ(edit([&](ScriptedUser& user) {
                c.how == "drop" ? user.dropFiles(c.files) : user.click(c.how);
                EXPECT_EQ(std::pair(target(), picture()), std::pair(c.target, c.preview));
                user.click("cmdOK");
              }),
              c.target + u"|tip");
  }
  EXPECT_EQ(system.folderPrompts.at(0), std::string("Choose a folder.") + '\0');
  EXPECT_EQ(form().CMDialog.fileName, kEditor) << "the chosen file is offered again";
  system.pathwiseMissing = true;  // no folder chooser: nothing happens
  show([&](ScriptedUser& user) {
    user.click("cmdFolder");
    user.pick("Text1", u"Desktop Folder");
    EXPECT_EQ(picture(), Shows{u"special:3"});
    EXPECT_GT(system.windowOf(form().handle())->pictureRefreshes("Picture1"), 0);
    user.type("Text1", u"Recycle Bin");
    EXPECT_EQ(picture(), Shows{u"special:3"});
    user.pressEsc();
  });
}

// The objects of one thread share one form: edits stay while it is loaded, Cancel keeps the last
// OK, and releasing any object unloads it, even during another's show.
TEST_F(Item, ObjectsOfOneThreadShareOneFormUntilOneIsReleased) {
  auto other = std::make_unique<CProperty>();
  other->ItemInfo(u"Recycle Bin|bin");
  EXPECT_EQ(edit([](ScriptedUser& user) { user.pressEnter(); }), u"Recycle Bin|bin");
  EXPECT_EQ(other->ItemInfo(), u"Recycle Bin|bin");
  EXPECT_EQ(edit([](ScriptedUser& user) { user.type("Text2", u"changed"), user.click("cmdCancel"); }),
            u"Recycle Bin|bin");
  EXPECT_EQ(form().Text2.text(), u"changed");
  EXPECT_EQ(edit([](ScriptedUser& user) { user.closeWindow(); }), u"") << "the close box unloads: a fresh form";
  other.reset();
  EXPECT_EQ(object->ItemInfo() + target(), u"") << "a fresh form";

  other = std::make_unique<CProperty>();
  object->ItemInfo(u"My Computer|tip");
  bool shownAfter = true;
  show([&](ScriptedUser& user) { other.reset(), shownAfter = user.window() != nullptr; });
  EXPECT_FALSE(shownAfter);
  EXPECT_EQ(target(), u"") << "unloaded once the show ended";
}

}  // namespace
}  // namespace tollivor::test
