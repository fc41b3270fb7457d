// The group editor as the host and the user see it: records in and out, the
// dialog's three checks, its file dialog and the icon preview.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/HeadlessTest.h"
#include "forms/FormInstance.h"
#include "forms/headless/HeadlessPlatform.h"
#include "group/CGroup.h"
#include "group/frmGroup.h"

namespace tollivor {
namespace {

using forms::headless::HeadlessPlatform;
using forms::headless::HeadlessWindow;
using forms::headless::ScriptedUser;
using Shows = std::vector<std::u16string>;

constexpr char16_t kToolsIcon[] = u"C:\\Icons\\tools.ico";
constexpr char16_t kOddIcon[] = u"C:\\Icons\\odd|:name.ico";  // the file system here allows it
constexpr char16_t kBrokenIcon[] = u"C:\\Icons\\broken.ico";  // not a picture
constexpr char16_t kNotes[] = u"C:\\Icons\\notes.txt";
constexpr char16_t kBitmap[] = u"C:\\Icons\\tools.bmp";
const Shows kDefaultIcon{u"special:10"};
const Shows kToolsPicture{u"picture:C:\\Icons\\tools.ico"};

std::string narrow(const std::u16string& text) { return {text.begin(), text.end()}; }

class GroupEditor : public test::HeadlessTest {
 protected:
  void SetUp() override {
    for (const auto* file : {kToolsIcon, kOddIcon, kBrokenIcon, kNotes, kBitmap})
      system.files[file] = 32;
    system.files[u"C:\\Icons"] = forms::kAttrDirectory;
    system.notPictures.insert(kBrokenIcon);
    group = std::make_unique<CGroup>();
  }
  void TearDown() override {
    group.reset();
    HeadlessTest::TearDown();
  }

  frmGroup& form() { return forms::FormInstance<frmGroup>::get(); }
  HeadlessWindow& window() { return *system.windowOf(form().handle()); }
  Shows preview() { return window().pictureShows("pictIcon"); }
  std::u16string name() { return form().txtGroupName.text(); }
  std::u16string iconPath() { return form().lblIconPath.caption(); }

  // Shows the dialog with the user's actions, and answers what the host reads.
  std::u16string edit(HeadlessPlatform::Script script) {
    system.onNextShow(std::move(script));
    group->Show();
    return group->ItemInfo();
  }
  std::u16string confirm(const std::u16string& record) {
    group->ItemInfo(record);
    return edit([](ScriptedUser& user) { user.pressEnter(); });
  }

  std::unique_ptr<CGroup> group;
};

TEST_F(GroupEditor, RecordsFillNameIconPathAndPreview) {
  struct Case {
    const char* what;
    std::u16string record;
    std::u16string name;
    std::u16string iconPath;
    Shows preview;
  };
  const std::u16string tools = kToolsIcon;
  const std::vector<Case> cases = {
      {"plain", u"group|Tools|:" + tools, u"Tools", tools, kToolsPicture},
      {"prefix in capitals", u"GrOuP|Tools|:" + tools, u"Tools", tools, kToolsPicture},
      {"no separator", u"group|Tools", u"", u"", kDefaultIcon},
      {"bar in the name", u"group|a|b|:" + tools, u"a|b", tools, kToolsPicture},
      {"separator right after the prefix", u"group||:" + tools, u"", tools, kToolsPicture},
      {"separator inside the path", u"group|T|:" + std::u16string(kOddIcon), u"T", kOddIcon,
       {u"picture:C:\\Icons\\odd|:name.ico"}},
      {"folder as icon path", u"group|T|:C:\\Icons", u"T", u"", kDefaultIcon},
      {"missing icon file", u"group|T|:C:\\Icons\\gone.ico", u"T", u"", kDefaultIcon},
      {"empty icon path", u"group|T|:", u"T", u"", kDefaultIcon},
      {"blanks around the name", u"group|  Tools |:", u"  Tools ", u"", kDefaultIcon},
      // Separators past character 32,767 are not found.
      {"40,000-character name", u"group|" + std::u16string(40000, u'n') + u"|:" + tools, u"",
       u"", kDefaultIcon},
      {"40,000-character path", u"group|T|:" + std::u16string(40000, u'p'), u"T", u"",
       kDefaultIcon},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    group = std::make_unique<CGroup>();  // a fresh dialog each time
    group->ItemInfo(c.record);
    EXPECT_EQ(name(), c.name);
    EXPECT_EQ(iconPath(), c.iconPath);
    EXPECT_EQ(preview(), c.preview);
    EXPECT_EQ(group->ItemInfo(), u"") << "writing does not set the result";
  }
}

TEST_F(GroupEditor, OtherRecordsLeaveTheDialogUntouched) {
  group->ItemInfo(u"group|Tools|:" + std::u16string(kToolsIcon));
  for (const std::u16string record :
       {u"", u" group|x|:", u"item|x|:", u"grou|x|:", u"groupx|:", u"C:\\Tools\\edit.exe|Editor"}) {
    SCOPED_TRACE(narrow(record));
    group->ItemInfo(record);
    EXPECT_EQ(name(), u"Tools");
    EXPECT_EQ(iconPath(), kToolsIcon);
    EXPECT_EQ(preview(), kToolsPicture);
  }
}

TEST_F(GroupEditor, AFileThatIsNoPictureKeepsThePreviewButTakesThePath) {
  group->ItemInfo(u"group|Tools|:" + std::u16string(kToolsIcon));
  group->ItemInfo(u"group|Tools|:" + std::u16string(kBrokenIcon));
  EXPECT_EQ(preview(), kToolsPicture);
  EXPECT_EQ(iconPath(), kBrokenIcon);
  EXPECT_EQ(edit([](ScriptedUser& user) { user.pressEnter(); }),
            u"group|Tools|:" + std::u16string(kBrokenIcon))
      << "a path ending in .ico passes OK whatever the file holds";
}

TEST_F(GroupEditor, WithoutSysgateTheDefaultIconLeavesThePreviewClear) {
  group->ItemInfo(u"group|Tools|:" + std::u16string(kToolsIcon));
  system.sysgateMissing = true;
  group->ItemInfo(u"group|Tools|:");
  EXPECT_EQ(preview(), Shows{});
  EXPECT_EQ(iconPath(), u"");
}

TEST_F(GroupEditor, OkWritesTheRecordAsTyped) {
  struct Case {
    const char* what;
    std::u16string record;
    std::u16string result;
  };
  const std::u16string tools = kToolsIcon;
  const std::vector<Case> cases = {
      {"unchanged", u"group|Tools|:" + tools, u"group|Tools|:" + tools},
      {"prefix comes back in lower case", u"GROUP|Tools|:" + tools, u"group|Tools|:" + tools},
      {"empty icon path", u"group|Tools|:", u"group|Tools|:"},
      {"blanks around the name", u"group| Tools  |:", u"group| Tools  |:"},
      {"separator inside the path", u"group|T|:" + std::u16string(kOddIcon),
       u"group|T|:" + std::u16string(kOddIcon)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(confirm(c.record), c.result);
  }
  EXPECT_EQ(system.beeps, 0);
  EXPECT_TRUE(system.messageBoxes.empty());
}

TEST_F(GroupEditor, AnIconFileThatVanishedIsStillAccepted) {
  group->ItemInfo(u"group|Tools|:" + std::u16string(kToolsIcon));
  system.files.erase(kToolsIcon);
  EXPECT_EQ(edit([](ScriptedUser& user) { user.click("cmdOK"); }),
            u"group|Tools|:" + std::u16string(kToolsIcon));
}

TEST_F(GroupEditor, RefusedOkBeepsShowsItsMessageAndMovesTheFocus) {
  struct Case {
    const char* what;
    std::u16string record;
    std::u16string typedName;
    const char16_t* prompt;
    std::string focus;
  };
  const std::u16string notes = kNotes;
  const std::vector<Case> cases = {
      {"bar", u"group|x|:", u"a|b", frmGroup::kBarInNamePrompt, "txtGroupName"},
      {"bar between blanks", u"group|x|:", u" | ", frmGroup::kBarInNamePrompt, "txtGroupName"},
      {"bar and a bad icon", u"group|x|:" + notes, u"a|b", frmGroup::kBarInNamePrompt,
       "txtGroupName"},
      {"empty name", u"group|x|:", u"", frmGroup::kNoNamePrompt, "txtGroupName"},
      {"blanks only, and a bad icon", u"group|x|:" + notes, u"   ", frmGroup::kNoNamePrompt,
       "txtGroupName"},
      {"not an icon file", u"group|x|:" + notes, u"Tools", frmGroup::kNoIconPrompt,
       "cmdChangeIcon"},
      {"extension in capitals", u"group|x|:C:\\Icons\\TOOLS.ICO", u"Tools",
       frmGroup::kNoIconPrompt, "cmdChangeIcon"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    system.beeps = 0;
    system.messageBoxes.clear();
    group->ItemInfo(c.record);
    std::string focusAfter;
    bool stillOpen = false;
    const auto result = edit([&](ScriptedUser& user) {
      user.type("txtGroupName", c.typedName);
      // Start from the other control, so the move is seen.
      user.focus(c.focus == "txtGroupName" ? "cmdChangeIcon" : "txtGroupName");
      user.click("cmdOK");
      focusAfter = user.focusedControl();
      stillOpen = user.window() != nullptr;
      user.click("cmdCancel");
    });
    EXPECT_EQ(result, u"");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(system.beeps, 1);
    ASSERT_EQ(system.messageBoxes.size(), 1u);
    EXPECT_EQ(system.messageBoxes[0].prompt, c.prompt);
    EXPECT_EQ(system.messageBoxes[0].title, u"Group Property");
    EXPECT_EQ(system.messageBoxes[0].style, forms::kMbInformation);
    EXPECT_EQ(focusAfter, c.focus);
  }
  // The prompts, character for character.
  EXPECT_EQ(std::u16string(frmGroup::kBarInNamePrompt),
            u"You cannot use the character \"|\" in Group Name. Please change it. ");
  EXPECT_EQ(std::u16string(frmGroup::kNoNamePrompt), u"Please input a valid group name. ");
  EXPECT_EQ(std::u16string(frmGroup::kNoIconPrompt), u"You must provide a valid icon file. ");
}

TEST_F(GroupEditor, ChecksRunInOrderAndARefusalKeepsTheEarlierResult) {
  ASSERT_EQ(confirm(u"group|First|:"), u"group|First|:");
  group->ItemInfo(u"group|a|b|:" + std::u16string(kNotes));
  system.answerNextOpen(std::u16string(kToolsIcon));
  std::vector<std::u16string> resultsMeanwhile;
  const auto result = edit([&](ScriptedUser& user) {
    user.pressEnter();  // the bar
    user.type("txtGroupName", u"  ");
    user.pressEnter();  // blanks only
    user.type("txtGroupName", u"Tools");
    user.pressEnter();  // not an icon file
    resultsMeanwhile.push_back(form().resultText);
    user.click("cmdChangeIcon");
    user.focus("txtGroupName");
    user.pressEnter();
  });
  EXPECT_EQ(result, u"group|Tools|:" + std::u16string(kToolsIcon));
  ASSERT_EQ(system.messageBoxes.size(), 3u);
  EXPECT_EQ(system.messageBoxes[0].prompt, frmGroup::kBarInNamePrompt);
  EXPECT_EQ(system.messageBoxes[1].prompt, frmGroup::kNoNamePrompt);
  EXPECT_EQ(system.messageBoxes[2].prompt, frmGroup::kNoIconPrompt);
  EXPECT_EQ(resultsMeanwhile, std::vector<std::u16string>{u"group|First|:"});
}

TEST_F(GroupEditor, CancelEmptiesTheResult) {
  ASSERT_EQ(confirm(u"group|Tools|:"), u"group|Tools|:");
  EXPECT_EQ(edit([](ScriptedUser& user) { user.pressEsc(); }), u"");
  ASSERT_EQ(confirm(u"group|Tools|:"), u"group|Tools|:");
  EXPECT_EQ(edit([](ScriptedUser& user) {
              user.type("txtGroupName", u"Other");
              user.click("cmdCancel");
            }),
            u"");
  EXPECT_EQ(name(), u"Other") << "the dialog keeps its state while loaded";
}

TEST_F(GroupEditor, ClosingTheWindowUnloadsTheDialog) {
  ASSERT_EQ(confirm(u"group|Tools|:" + std::u16string(kToolsIcon)), u"group|Tools|:" +
                                                                    std::u16string(kToolsIcon));
  EXPECT_EQ(edit([](ScriptedUser& user) { user.closeWindow(); }), u"");
  EXPECT_EQ(group->ItemInfo(), u"") << "the next use loads a fresh dialog";
  EXPECT_EQ(name(), u"");
  EXPECT_EQ(iconPath(), u"");
  EXPECT_EQ(preview(), Shows{});
}

TEST_F(GroupEditor, ChangeIconTakesTheChosenFileAndKeepsItsName) {
  group->ItemInfo(u"group|Tools|:");
  system.answerNextOpen(std::u16string(kToolsIcon));
  system.answerNextOpen(std::nullopt);  // the user cancels
  system.answerNextOpen(std::u16string(kBrokenIcon));
  system.answerNextOpen(std::u16string(kBitmap));  // through "All Files"
  edit([&](ScriptedUser& user) {
    user.click("cmdChangeIcon");
    EXPECT_EQ(preview(), kToolsPicture);
    EXPECT_EQ(iconPath(), kToolsIcon);
    user.click("cmdChangeIcon");
    EXPECT_EQ(preview(), kToolsPicture) << "a cancelled run changes nothing";
    EXPECT_EQ(iconPath(), kToolsIcon);
    user.click("cmdChangeIcon");
    EXPECT_EQ(preview(), kToolsPicture) << "no picture: the preview stays";
    EXPECT_EQ(iconPath(), kBrokenIcon);
    user.click("cmdChangeIcon");
    EXPECT_EQ(preview(), Shows{u"picture:C:\\Icons\\tools.bmp"});
    user.click("cmdOK");
    EXPECT_NE(user.window(), nullptr) << "a bitmap is no icon file";
    user.pressEsc();
  });
  ASSERT_EQ(system.openDialogs.size(), 4u);
  for (const auto& dialog : system.openDialogs) {
    EXPECT_EQ(dialog.title, u"Browse File...");
    EXPECT_EQ(dialog.filter, u"Icon Files (*.ico)|*.ico|All Files (*.*)|*.*|");
    EXPECT_EQ(dialog.flags, 4100u);
  }
  EXPECT_EQ(system.openDialogs[0].fileName, u"");
  EXPECT_EQ(system.openDialogs[1].fileName, kToolsIcon) << "the last file is offered again";
  EXPECT_EQ(system.openDialogs[2].fileName, kToolsIcon) << "a cancel keeps it";
  ASSERT_EQ(system.messageBoxes.size(), 1u);
  EXPECT_EQ(system.messageBoxes[0].prompt, frmGroup::kNoIconPrompt);

  // The name lives as long as the loaded dialog, across shows.
  system.answerNextOpen(std::nullopt);
  edit([](ScriptedUser& user) {
    user.click("cmdChangeIcon");
    user.closeWindow();
  });
  EXPECT_EQ(system.openDialogs[4].fileName, kBitmap);
  system.answerNextOpen(std::nullopt);
  edit([](ScriptedUser& user) {
    user.click("cmdChangeIcon");
    user.pressEsc();
  });
  EXPECT_EQ(system.openDialogs[5].fileName, u"") << "a reloaded dialog starts with no file";
}

TEST_F(GroupEditor, TheDialogOpensInTheNameBoxAndAltGComesBackToIt) {
  EXPECT_EQ(form().Line1[0].foreColour(), forms::kButtonShadowColour);
  EXPECT_EQ(form().Line1[1].foreColour(), forms::k3DHighlightColour);
  group->ItemInfo(u"group|Tools|:");
  std::vector<std::string> focus;
  edit([&](ScriptedUser& user) {
    focus.push_back(user.focusedControl());
    user.focus("cmdCancel");
    user.pressAccessKey(u'g');
    focus.push_back(user.focusedControl());
    user.pressAccessKey(u'c');
  });
  EXPECT_EQ(focus, (std::vector<std::string>{"txtGroupName", "txtGroupName"}));
}

TEST_F(GroupEditor, ObjectsOfOneThreadShareTheDialog) {
  auto other = std::make_unique<CGroup>();
  other->ItemInfo(u"group|Shared|:");
  EXPECT_EQ(edit([](ScriptedUser& user) { user.pressEnter(); }), u"group|Shared|:");
  EXPECT_EQ(other->ItemInfo(), u"group|Shared|:");
  other.reset();
  EXPECT_EQ(group->ItemInfo(), u"");
  EXPECT_EQ(name(), u"");
}

// A dropped file is taken as Change Icon takes a chosen one, the first of
// several; OK still refuses one that is not an icon file.
TEST_F(GroupEditor, ADroppedFileIsTakenAsAChosenIcon) {
  group->ItemInfo(u"group|Tools|:");
  const auto result = edit([&](ScriptedUser& user) {
    user.dropFiles({kToolsIcon, kBitmap});
    EXPECT_EQ(iconPath(), kToolsIcon);
    EXPECT_EQ(preview(), kToolsPicture);
    user.dropFile(kBrokenIcon);
    EXPECT_EQ(iconPath(), kBrokenIcon);
    EXPECT_EQ(preview(), kToolsPicture) << "no picture: the preview stays";
    user.dropFile(kNotes);
    user.click("cmdOK");
    EXPECT_NE(user.window(), nullptr) << "not an icon file: the dialog stays";
    user.dropFiles({});
    EXPECT_EQ(iconPath(), kNotes) << "an empty drop changes nothing";
    user.dropFile(kToolsIcon);
    user.click("cmdOK");
  });
  EXPECT_EQ(result, u"group|Tools|:" + std::u16string(kToolsIcon));
  ASSERT_EQ(system.messageBoxes.size(), 1u);
  EXPECT_EQ(system.messageBoxes[0].prompt, frmGroup::kNoIconPrompt);
  EXPECT_TRUE(system.openDialogs.empty());
}

}  // namespace
}  // namespace tollivor
