// The item editor as the host and the user see it: records in and out,
// the dialog's handlers, and the icon preview.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "item/CProperty.h"
#include "item/ShellLocations.h"
#include "item/frmProperty.h"
#include "forms/FormInstance.h"
#include "common/HeadlessTest.h"
#include "forms/headless/HeadlessPlatform.h"

namespace tollivor {
namespace {

using forms::headless::HeadlessPlatform;
using forms::headless::HeadlessWindow;
using forms::headless::ScriptedUser;

constexpr char16_t kEditor[] = u"C:\\Tools\\edit.exe";

// What the dialog's list offers, in order; "Fonts Folder" is not offered.
const std::vector<std::u16string> kOffered = {u"My Computer",    u"Network Neighborhood",
                                              u"Control Panel",  u"Recycle Bin",
                                              u"Printer Folder", u"Desktop Folder"};

class ItemEditor : public test::HeadlessTest {
 protected:
  void SetUp() override {
    system.files[kEditor] = 32;
    system.files[u"C:\\Tools"] = forms::kAttrDirectory;
    item = std::make_unique<CProperty>();
  }
  void TearDown() override {
    item.reset();
    HeadlessTest::TearDown();
  }

  frmProperty& form() { return forms::FormInstance<frmProperty>::get(); }
  HeadlessWindow& window() { return *system.windowOf(form().handle()); }
  std::vector<std::u16string> preview() { return window().pictureShows("Picture1"); }

  // Shows the dialog with the user's actions, and answers what the host reads.
  std::u16string edit(HeadlessPlatform::Script script) {
    system.onNextShow(std::move(script));
    item->Show();
    return item->ItemInfo();
  }

  std::unique_ptr<CProperty> item;
};

TEST_F(ItemEditor, RecordIsSplitAtTheFirstBarAndItsIconDrawn) {
  EXPECT_TRUE(item->ItemInfo(std::u16string(kEditor) + u"|Editor"));
  EXPECT_EQ(form().Text1.text(), kEditor);
  EXPECT_EQ(form().Text2.text(), u"Editor");
  EXPECT_EQ(preview(), std::vector<std::u16string>{u"file:C:\\Tools\\edit.exe"});

  item->ItemInfo(u"a|b|c");
  EXPECT_EQ(form().Text1.text(), u"a");
  EXPECT_EQ(form().Text2.text(), u"b|c");
  EXPECT_TRUE(preview().empty()) << "a missing path leaves the preview clear";

  item->ItemInfo(u"|tip");
  EXPECT_EQ(form().Text1.text(), u"");
  EXPECT_EQ(form().Text2.text(), u"tip");
}

// The one member that reports failure: a field that cannot be written ends
// the write.
TEST_F(ItemEditor, ARecordWriteThatFailsIsReported) {
  const struct {
    const char* failing;
    std::u16string target, tip;
  } cases[] = {{"Text1", u"", u""}, {"Text2", u"My Computer", u""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failing);
    system.failingTextWrites = {c.failing};
    EXPECT_FALSE(item->ItemInfo(u"My Computer|tip"));
    EXPECT_EQ(form().Text1.text(), c.target);
    EXPECT_EQ(form().Text2.text(), c.tip);
  }
  system.failingTextWrites.clear();
  EXPECT_TRUE(item->ItemInfo(u"My Computer|tip"));
}

TEST_F(ItemEditor, SpecialNamesAreCaseSensitiveAndIncludeFontsFolder) {
  item->ItemInfo(u"My Computer|");
  EXPECT_EQ(preview(), std::vector<std::u16string>{u"special:5"});
  EXPECT_EQ(form().Text2.text(), u"");

  item->ItemInfo(u"Fonts Folder|x");
  EXPECT_EQ(preview(), std::vector<std::u16string>{u"special:6"});

  item->ItemInfo(u"my computer|x");
  EXPECT_TRUE(preview().empty()) << "a wrongly cased name is a path, and this one is missing";
}

TEST_F(ItemEditor, RecordWithoutSeparatorEmptiesBothFieldsButEmptyRecordChangesNothing) {
  item->ItemInfo(u"My Computer|tip");
  item->ItemInfo(u"");
  EXPECT_EQ(form().Text1.text(), u"My Computer");
  EXPECT_EQ(form().Text2.text(), u"tip");
  EXPECT_EQ(preview().size(), 1u);

  item->ItemInfo(kEditor);  // no "|"
  EXPECT_EQ(form().Text1.text(), u"");
  EXPECT_EQ(form().Text2.text(), u"");
  EXPECT_TRUE(preview().empty());

  // A separator past character 32,767 is not found either.
  item->ItemInfo(std::u16string(32767, u'x') + u"|tip");
  EXPECT_EQ(form().Text1.text(), u"");
  EXPECT_EQ(form().Text2.text(), u"");
}

TEST_F(ItemEditor, HostReadsNothingUntilOkAndCancelKeepsTheLastOk) {
  EXPECT_EQ(item->ItemInfo(), u"") << "fresh dialog";
  item->ItemInfo(u"C:\\Tools\\edit.exe|Editor");
  EXPECT_EQ(item->ItemInfo(), u"") << "writing does not set the result";
  EXPECT_EQ(edit([](ScriptedUser& user) { user.pressEsc(); }), u"") << "Cancel on a fresh dialog";

  EXPECT_EQ(edit([](ScriptedUser& user) {
              user.pick("Text1", u"My Computer");
              user.pressEnter();
            }),
            u"My Computer|Editor");
  EXPECT_EQ(edit([](ScriptedUser& user) {
              user.type("Text2", u"changed");
              user.click("cmdCancel");
            }),
            u"My Computer|Editor");
  EXPECT_EQ(form().Text2.text(), u"changed") << "edits stay while the dialog stays loaded";
}

TEST_F(ItemEditor, ClosingTheWindowActsLikeCancelOnAFreshDialog) {
  item->ItemInfo(u"Control Panel|Settings|all");
  ASSERT_EQ(edit([](ScriptedUser& user) { user.click("cmdOK"); }), u"Control Panel|Settings|all");

  EXPECT_EQ(edit([](ScriptedUser& user) { user.closeWindow(); }), u"");
  EXPECT_EQ(form().Text1.text(), u"") << "the close command unloads the dialog";
  EXPECT_EQ(system.unfinishedShows, 0);
}

TEST_F(ItemEditor, OkAcceptsOfferedSpecialItemsWithoutAPathTest) {
  for (const std::u16string& target : kOffered) {
    EXPECT_EQ(edit([&](ScriptedUser& user) {
                user.type("Text1", target);
                user.type("Text2", u"");
                user.pressEnter();
              }),
              target + u"|");
  }
  EXPECT_EQ(system.messageBoxes.size(), 0u);
  EXPECT_EQ(system.beeps, 0);
}

TEST_F(ItemEditor, OkAcceptsExistingPathsAsTyped) {
  EXPECT_EQ(edit([](ScriptedUser& user) {
              user.type("Text1", u"c:\\tools");
              user.type("Text2", u"Tools");
              user.pressEnter();
            }),
            u"c:\\tools|Tools");
  EXPECT_EQ(system.beeps, 0);
}

TEST_F(ItemEditor, RejectedOkBeepsShowsTheMessageAndReturnsFocus) {
  item->ItemInfo(u"Fonts Folder|fonts");
  std::string focusAfterFirst;
  const auto result = edit([&](ScriptedUser& user) {
    user.focus("Text2");
    user.pressEnter();
    focusAfterFirst = user.focusedControl();
    user.type("Text1", u"my computer");
    user.click("cmdOK");
    EXPECT_NE(user.window(), nullptr) << "the dialog stays open";
    user.pressEsc();
  });
  EXPECT_EQ(result, u"") << "the result text keeps its value";
  EXPECT_EQ(system.beeps, 2);
  ASSERT_EQ(system.messageBoxes.size(), 2u);
  const auto& first = system.messageBoxes[0];
  EXPECT_EQ(first.prompt,
            u"Specified file/directory/item does not exist. Enter a valid "
            u"file/directory/item name. ");
  EXPECT_EQ(first.title, u"Fonts Folder");
  EXPECT_EQ(first.style, forms::kMbInformation);
  EXPECT_EQ(system.messageBoxes[1].title, u"my computer");
  EXPECT_EQ(focusAfterFirst, "Text1");
}

TEST_F(ItemEditor, EmptyTargetIsRejected) {
  EXPECT_EQ(edit([](ScriptedUser& user) {
              user.pressEnter();
              user.pressEsc();
            }),
            u"");
  ASSERT_EQ(system.messageBoxes.size(), 1u);
  EXPECT_EQ(system.messageBoxes[0].title, u"");
}

TEST_F(ItemEditor, ListPicksDrawTheSpecialIconButTypingDoesNot) {
  item->ItemInfo(u"C:\\Tools\\edit.exe|Editor");
  edit([&](ScriptedUser& user) {
    user.pick("Text1", u"Desktop Folder");
    EXPECT_EQ(preview(), std::vector<std::u16string>{u"special:3"});
    EXPECT_GT(window().pictureRefreshes("Picture1"), 0) << "the new icon is shown";
    user.type("Text1", u"Recycle Bin");
    EXPECT_EQ(preview(), std::vector<std::u16string>{u"special:3"});
    user.pressEsc();
  });

  system.sysgateMissing = true;
  edit([&](ScriptedUser& user) {
    user.pick("Text1", u"My Computer");
    EXPECT_TRUE(preview().empty()) << "no icon: the preview is only cleared";
    user.pressEsc();
  });
}

TEST_F(ItemEditor, TheListOffersSixSpecialItemsInOrder) {
  EXPECT_EQ(window().items(form().Text1.id()), kOffered);
}

TEST_F(ItemEditor, BrowsingAFileReplacesTheTargetAndDrawsItsIcon) {
  item->ItemInfo(u"My Computer|tip");
  system.answerNextOpen(std::nullopt);
  system.answerNextOpen(std::u16string(kEditor));
  edit([&](ScriptedUser& user) {
    user.click("cmdFile");  // cancelled
    EXPECT_EQ(user.text("Text1"), u"My Computer");
    EXPECT_EQ(preview(), std::vector<std::u16string>{u"special:5"});
    user.click("cmdFile");
    EXPECT_EQ(user.text("Text1"), kEditor);
    EXPECT_EQ(preview(), std::vector<std::u16string>{u"file:C:\\Tools\\edit.exe"});
    user.pressEsc();
  });
  ASSERT_EQ(system.openDialogs.size(), 2u);
  const auto& dialog = system.openDialogs[0];
  EXPECT_EQ(dialog.title, u"Browse File...");
  EXPECT_EQ(dialog.filter, u"All Files (*.*)|*.*|Executable Files (*.exe)|*.exe|");
  EXPECT_EQ(form().CMDialog.fileName, kEditor) << "the file name persists between runs";
}

TEST_F(ItemEditor, BrowsingAFolderReplacesTheTargetAndDrawsItsIcon) {
  item->ItemInfo(u"My Computer|tip");
  system.answerNextFolder(std::nullopt);
  system.answerNextFolder(u"C:\\Tools");
  const auto result = edit([&](ScriptedUser& user) {
    user.click("cmdFolder");  // nothing chosen
    EXPECT_EQ(user.text("Text1"), u"My Computer");
    user.click("cmdFolder");
    EXPECT_EQ(user.text("Text1"), u"C:\\Tools");
    EXPECT_EQ(preview(), std::vector<std::u16string>{u"file:C:\\Tools"});
    user.click("cmdOK");  // Browse Folder has the focus: Enter would browse again
  });
  EXPECT_EQ(result, u"C:\\Tools|tip");
  ASSERT_EQ(system.folderPrompts.size(), 2u);
  EXPECT_EQ(system.folderPrompts[0], std::string("Choose a folder.\0", 17));

  system.pathwiseMissing = true;
  edit([&](ScriptedUser& user) {
    user.click("cmdFolder");
    EXPECT_EQ(user.text("Text1"), u"C:\\Tools");
    user.pressEsc();
  });
}

TEST_F(ItemEditor, ObjectsOfOneThreadShareTheDialogAndReleasingOneUnloadsIt) {
  auto other = std::make_unique<CProperty>();
  other->ItemInfo(u"Recycle Bin|bin");
  EXPECT_EQ(form().Text1.text(), u"Recycle Bin");
  system.onNextShow([](ScriptedUser& user) { user.pressEnter(); });
  item->Show();
  EXPECT_EQ(other->ItemInfo(), u"Recycle Bin|bin");

  other.reset();
  EXPECT_EQ(item->ItemInfo(), u"") << "the next use loads a fresh dialog";
  EXPECT_EQ(form().Text1.text(), u"");
}

// Releasing any object of the class unloads the form, even while another
// object shows it: the show ends there.
TEST_F(ItemEditor, ReleasingAnotherObjectDuringTheShowEndsIt) {
  auto other = std::make_unique<CProperty>();
  item->ItemInfo(u"My Computer|tip");
  bool shownAfter = true;
  system.onNextShow([&](ScriptedUser& user) {
    other.reset();
    shownAfter = user.window() != nullptr;
  });
  item->Show();
  EXPECT_FALSE(shownAfter);
  EXPECT_EQ(system.unfinishedShows, 0);
  EXPECT_EQ(item->ItemInfo(), u"");
  EXPECT_EQ(form().Text1.text(), u"") << "unloaded once the show ended";
}

// A drop leaves the dialog as browsing for the same file or folder would:
// same target, same preview, whatever was there before.
TEST_F(ItemEditor, ADropLeavesTheDialogAsBrowsingTheSamePathWould) {
  const std::u16string editor = kEditor, tools = u"C:\\Tools";
  const struct {
    std::u16string path;
    const char* browse;
  } cases[] = {{editor, "cmdFile"}, {tools, "cmdFolder"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.browse);
    std::u16string browsedTarget, droppedTarget;
    std::vector<std::u16string> browsedPreview, droppedPreview;
    item->ItemInfo(u"My Computer|tip");
    if (c.path == editor) system.answerNextOpen(c.path);
    else system.answerNextFolder(c.path);
    edit([&](ScriptedUser& user) {
      user.click(c.browse);
      browsedTarget = user.text("Text1");
      browsedPreview = preview();
      user.pressEsc();
    });
    item->ItemInfo(u"My Computer|tip");
    const auto result = edit([&](ScriptedUser& user) {
      user.dropFiles({c.path, c.path == editor ? tools : editor});
      droppedTarget = user.text("Text1");
      droppedPreview = preview();
      user.click("cmdOK");
    });
    EXPECT_EQ(droppedTarget, c.path);
    EXPECT_EQ(droppedTarget, browsedTarget);
    EXPECT_EQ(droppedPreview, browsedPreview);
    EXPECT_EQ(result, c.path + u"|tip");
  }
  ASSERT_EQ(system.openDialogs.size(), 1u) << "a drop opens no file dialog";
}

}  // namespace
}  // namespace tollivor
