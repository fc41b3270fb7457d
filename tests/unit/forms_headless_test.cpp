// The portable form on the headless platform: life cycle, modal shows, the
// scripted user's keys and clicks, picture boxes, settings and icons.
#include <gtest/gtest.h>

#include <memory>

#include "common/TestForm.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tollivor {
namespace {

using forms::headless::HeadlessPlatform;
using forms::headless::HeadlessWindow;
using forms::headless::ScriptedUser;
using testing::TestForm;

class HeadlessForms : public ::testing::Test {
 protected:
  HeadlessForms() { forms::setPlatform(&platform); }
  ~HeadlessForms() override {
    form.reset();  // windows go before their platform
    forms::setPlatform(nullptr);
  }

  HeadlessWindow* window() { return platform.windowOf(form->handle()); }

  HeadlessPlatform platform;
  std::unique_ptr<TestForm> form = std::make_unique<TestForm>();
};

// --- life cycle ---------------------------------------------------------

TEST_F(HeadlessForms, TouchingAControlLoadsTheFormHiddenOnce) {
  EXPECT_FALSE(form->isLoaded());
  EXPECT_EQ(form->txtName.text(), u"");
  EXPECT_TRUE(form->isLoaded());
  EXPECT_EQ(form->loads, 1);
  EXPECT_EQ(form->cmdOK.caption(), u"&OK");
  EXPECT_EQ(form->Line1.foreColour(), forms::systemColour(16));  // set by Form_Load
  form->load();
  EXPECT_EQ(form->loads, 1);
  ASSERT_NE(window(), nullptr);
  EXPECT_FALSE(window()->isVisible());
  EXPECT_EQ(platform.windows.size(), 1u);
}

TEST_F(HeadlessForms, ControlsStartFromTheirTable) {
  EXPECT_EQ(form->optChoice0.value(), 1);
  EXPECT_EQ(form->optChoice1.value(), 0);
  EXPECT_EQ(form->chkFlag.value(), 0);
  EXPECT_EQ(form->lblName.fontName(), u"Arial");
  EXPECT_EQ(form->cmdOK.fontName(), u"Tahoma");  // the form's font
  EXPECT_EQ(window()->bounds()->width,
            form->table().clientWidth + 2 * HeadlessWindow::kFrameTwips);
}

TEST_F(HeadlessForms, ModalShowReturnsWhenOkHidesTheForm) {
  platform.onNextShow([](ScriptedUser& user) {
    user.type("txtName", u"Ann");
    user.click("cmdOK");
    user.type("txtName", u"after the show");  // the form is gone from the user
  });
  EXPECT_TRUE(form->showModal());
  EXPECT_EQ(platform.modalShows, 1);
  EXPECT_EQ(platform.unfinishedShows, 0);
  EXPECT_EQ(form->resultText, u"Ann");
  EXPECT_EQ(form->txtName.text(), u"Ann");  // hidden, not unloaded
  EXPECT_FALSE(window()->isVisible());
  EXPECT_TRUE(platform.modalStack.empty());
}

TEST_F(HeadlessForms, AShowWithoutScriptOrThatRunsOutEndsHiddenAndCounted) {
  EXPECT_TRUE(form->showModal());
  platform.onNextShow([](ScriptedUser& user) { user.type("txtName", u"x"); });
  EXPECT_TRUE(form->showModal());
  EXPECT_EQ(platform.modalShows, 2);
  EXPECT_EQ(platform.unfinishedShows, 2);
  EXPECT_TRUE(form->isLoaded());
  EXPECT_FALSE(window()->isVisible());
}

TEST_F(HeadlessForms, CloseCommandUnloadsAndTheNextTouchLoadsAfresh) {
  form->chkFlag.setValue(1);
  form->resultText = u"kept";
  platform.onNextShow([](ScriptedUser& user) {
    user.type("txtName", u"Bob");
    user.closeWindow();
    user.click("cmdOK");  // too late: the window is closing
  });
  EXPECT_TRUE(form->showModal());
  EXPECT_FALSE(form->isLoaded());
  EXPECT_TRUE(platform.windows.empty());
  EXPECT_EQ(platform.unfinishedShows, 0);
  EXPECT_EQ(form->resultText, u"");
  EXPECT_EQ(form->txtName.text(), u"");
  EXPECT_EQ(form->chkFlag.value(), 0);
  EXPECT_EQ(form->loads, 2);
}

TEST_F(HeadlessForms, CloseCommandIsIgnoredOutsideAShow) {
  form->load();
  ScriptedUser& user = platform.user;
  user.closeWindow();
  EXPECT_TRUE(form->isLoaded());
}

// --- keys, focus and clicks ---------------------------------------------

TEST_F(HeadlessForms, EnterPressesTheDefaultButtonUnlessAButtonHasTheFocus) {
  platform.onNextShow([](ScriptedUser& user) {
    EXPECT_EQ(user.focusedControl(), "txtName");  // first that takes the focus
    user.type("txtName", u"Cy");
    user.click("chkFlag");  // a click does not take the focus from the text box
    user.pressEnter();
  });
  form->showModal();
  EXPECT_EQ(form->resultText, u"Cy");

  form->resultText.clear();
  platform.onNextShow([](ScriptedUser& user) {
    user.type("txtName", u"Di");
    user.focus("cmdCancel");
    user.pressEnter();
  });
  form->showModal();
  EXPECT_EQ(form->resultText, u"");
  EXPECT_EQ(platform.unfinishedShows, 0);
}

TEST_F(HeadlessForms, EscPressesCancelButNotWhenItIsDisabled) {
  platform.onNextShow([](ScriptedUser& user) { user.pressEsc(); });
  form->showModal();
  EXPECT_EQ(platform.unfinishedShows, 0);

  form->cmdCancel.setEnabled(false);
  platform.onNextShow([](ScriptedUser& user) {
    user.pressEsc();
    user.click("cmdCancel");
  });
  form->showModal();
  EXPECT_EQ(platform.unfinishedShows, 1);
}

TEST_F(HeadlessForms, AccessKeysMoveTheFocusOrPressTheControl) {
  platform.onNextShow([](ScriptedUser& user) {
    user.focus("cmdOK");
    user.pressAccessKey(u'n');  // the label hands on to the text box
    EXPECT_EQ(user.focusedControl(), "txtName");
    user.pressAccessKey(u'F');
    EXPECT_EQ(user.focusedControl(), "chkFlag");
    user.pressAccessKey(u'z');  // nobody's key
    EXPECT_EQ(user.focusedControl(), "chkFlag");
    user.pressAccessKey(u'C');
  });
  form->showModal();
  EXPECT_EQ(form->chkFlag.value(), 1);
  EXPECT_EQ(form->flagClicks, 1);
  EXPECT_EQ(platform.unfinishedShows, 0);  // Alt+C pressed Cancel
  EXPECT_EQ(platform.focusChanges,
            (std::vector<std::string>{"txtName", "cmdOK", "txtName", "chkFlag", "cmdCancel"}));
}

TEST_F(HeadlessForms, DisabledControlsIgnoreTheUser) {
  form->txtName.setEnabled(false);
  form->chkFlag.setEnabled(false);
  platform.onNextShow([](ScriptedUser& user) {
    EXPECT_EQ(user.focusedControl(), "optChoice(0)");  // the disabled box and check box are skipped
    user.type("txtName", u"ignored");
    user.click("chkFlag");
    user.pressAccessKey(u'f');
    user.click("noSuchControl");
    user.pressEsc();
  });
  form->showModal();
  EXPECT_EQ(form->txtName.text(), u"");
  EXPECT_EQ(form->chkFlag.value(), 0);
  EXPECT_EQ(form->flagClicks, 0);
}

// A form with a check box inside the picture box, which starts hidden.
forms::FormTable tableWithHiddenPage() {
  auto table = testing::testFormTable();
  table.controls[7].flags |= forms::kHidden;
  forms::ControlRow inner;
  inner.kind = forms::Kind::CheckBox;
  inner.name = "chkInner";
  inner.caption = u"&Inner";
  inner.container = "picPreview";
  table.controls.insert(table.controls.begin(), inner);
  return table;
}

TEST_F(HeadlessForms, ControlsOfAHiddenContainerCannotBeReached) {
  forms::Form paged(tableWithHiddenPage());
  forms::Control chkInner(paged, "chkInner");
  int innerClicks = 0;
  paged.on("chkInner", forms::Event::Click, [&](int) { ++innerClicks; });
  platform.onNextShow([&](ScriptedUser& user) {
    EXPECT_EQ(user.focusedControl(), "txtName");
    user.click("chkInner");
    user.pressAccessKey(u'I');
    user.moveMouse("chkInner");
    EXPECT_FALSE(chkInner.setFocus());
  });
  paged.showModal();
  EXPECT_EQ(innerClicks, 0);
  EXPECT_EQ(chkInner.value(), 0);
  EXPECT_EQ(platform.unfinishedShows, 1);
}

TEST_F(HeadlessForms, SetFocusNeedsAShownFormAndAControlThatTakesIt) {
  EXPECT_FALSE(form->txtName.setFocus());  // hidden form
  platform.onNextShow([this](ScriptedUser&) {
    EXPECT_TRUE(form->cmdOK.setFocus());
    EXPECT_FALSE(form->lblName.setFocus());
    EXPECT_FALSE(form->picPreview.setFocus());
    form->optChoice1.setEnabled(false);
    EXPECT_FALSE(form->optChoice1.setFocus());
    EXPECT_TRUE(form->txtName.setFocus());
    EXPECT_TRUE(form->txtName.setFocus());  // no change, nothing recorded
  });
  form->showModal();
  EXPECT_EQ(platform.focusChanges, (std::vector<std::string>{"txtName", "cmdOK", "txtName"}));
}

// --- values ---------------------------------------------------------------

TEST_F(HeadlessForms, SelectingAnOptionClearsTheOthersOfItsContainer) {
  form->optChoice1.setValue(1);
  EXPECT_EQ(form->optChoice0.value(), 0);
  EXPECT_EQ(form->optChoice1.value(), 1);
  platform.onNextShow([](ScriptedUser& user) { user.select("optChoice", 0); });
  form->showModal();
  EXPECT_EQ(form->optChoice0.value(), 1);
  EXPECT_EQ(form->optChoice1.value(), 0);
}

TEST_F(HeadlessForms, OptionsInOtherContainersAreNotCleared) {
  auto table = testing::testFormTable();
  forms::ControlRow inner;
  inner.kind = forms::Kind::OptionButton;
  inner.name = "optInner";
  inner.flags = forms::kChecked;
  inner.container = "picPreview";
  table.controls.push_back(inner);
  forms::Form other(table);
  forms::Control optInner(other, "optInner");
  forms::Control optTwo(other, "optChoice", 1);
  optTwo.setValue(1);
  EXPECT_EQ(optInner.value(), 1);
  EXPECT_EQ(forms::Control(other, "optChoice", 0).value(), 0);
}

TEST_F(HeadlessForms, CheckBoxFromCodeRunsItsClickOnlyOnChange) {
  form->chkFlag.setValue(1);
  form->chkFlag.setValue(1);
  EXPECT_EQ(form->flagClicks, 1);
  form->chkFlag.setValue(0);
  EXPECT_EQ(form->flagClicks, 2);
  EXPECT_FALSE(form->chkFlag.setValue(7));
  EXPECT_EQ(form->chkFlag.value(), 0);
}

TEST_F(HeadlessForms, TypingRunsNothingAndBadIdsFail) {
  platform.onNextShow([](ScriptedUser& user) {
    user.type("txtName", u"abc");
    user.check("chkFlag", false);  // already unchecked
    user.check("chkFlag", true);
  });
  form->showModal();
  EXPECT_EQ(form->flagClicks, 1);
  forms::FormWindow* w = form->window();
  EXPECT_FALSE(w->setText(-1, u"x"));
  EXPECT_FALSE(w->text(99).has_value());
  EXPECT_FALSE(w->value(form->txtName.id()).has_value());
  EXPECT_FALSE(w->drawIcon(42, 0, 0, 1));
  EXPECT_FALSE(w->setForeColour(form->lblName.id(), -1));  // not a colour
  EXPECT_FALSE(w->setBackColour(form->lblName.id(), forms::systemColour(200)));
  EXPECT_TRUE(w->setBackColour(form->lblName.id(), 0x00FF00));
}

// --- picture boxes --------------------------------------------------------

TEST_F(HeadlessForms, PictureKeepsItsDrawingWhileHiddenAndLosesItOnUnload) {
  const auto icon = platform.specialLargeIcon(5);
  EXPECT_TRUE(form->picPreview.drawIcon(0, 0, icon));
  platform.destroyIcon(icon);
  std::vector<std::u16string> seen;
  platform.onNextShow([&](ScriptedUser& user) {
    seen = user.window()->pictureShows("picPreview");
    user.pressEsc();
  });
  form->showModal();
  EXPECT_EQ(seen, std::vector<std::u16string>{u"special:5"});
  EXPECT_EQ(window()->pictureShows("picPreview"), seen);

  form->unload();
  form->load();
  EXPECT_TRUE(window()->pictureShows("picPreview").empty());
}

TEST_F(HeadlessForms, DrawingNeedsALiveIconAndClearEmptiesThePicture) {
  EXPECT_FALSE(form->picPreview.drawIcon(0, 0, 0));
  const auto icon = platform.specialLargeIcon(1);
  platform.destroyIcon(icon);
  EXPECT_FALSE(form->picPreview.drawIcon(0, 0, icon));
  EXPECT_FALSE(form->txtName.drawIcon(0, 0, platform.specialLargeIcon(2)));
  EXPECT_TRUE(window()->pictureShows("picPreview").empty());

  EXPECT_TRUE(form->picPreview.drawIcon(0, 0, platform.specialLargeIcon(3)));
  EXPECT_TRUE(form->picPreview.refresh());
  EXPECT_TRUE(form->picPreview.clear());
  EXPECT_TRUE(window()->pictureShows("picPreview").empty());
  EXPECT_EQ(window()->pictureClears("picPreview"), 1);
  EXPECT_EQ(window()->pictureRefreshes("picPreview"), 1);
}

TEST_F(HeadlessForms, OnlyExistingPictureFilesLoadAndAFailureChangesNothing) {
  platform.files[u"C:\\Pics\\A.ICO"] = 32;
  platform.files[u"C:\\Pics\\b.txt"] = 32;
  platform.files[u"C:\\Pics\\dir.bmp"] = 16;
  ASSERT_TRUE(form->picPreview.drawIcon(0, 0, platform.specialLargeIcon(8)));
  EXPECT_FALSE(form->picPreview.loadPicture(u"C:\\Pics\\b.txt"));
  EXPECT_FALSE(form->picPreview.loadPicture(u"C:\\Pics\\dir.bmp"));
  EXPECT_FALSE(form->picPreview.loadPicture(u"C:\\Pics\\missing.ico"));
  EXPECT_EQ(window()->pictureShows("picPreview"), std::vector<std::u16string>{u"special:8"});
  EXPECT_TRUE(form->picPreview.loadPicture(u"c:\\pics\\a.ico"));
  EXPECT_EQ(window()->pictureShows("picPreview"),
            std::vector<std::u16string>{u"picture:c:\\pics\\a.ico"});
}

// --- other windows during a modal show ------------------------------------

TEST_F(HeadlessForms, OtherWindowsAreDisabledOnlyDuringTheShow) {
  TestForm second;
  second.load();
  HeadlessWindow* other = platform.windowOf(second.handle());
  ASSERT_NE(other, nullptr);
  bool otherEnabled = true, ownEnabled = false;
  platform.onNextShow([&](ScriptedUser& user) {
    otherEnabled = other->enabledWindow();
    ownEnabled = user.window()->enabledWindow();
  });
  form->showModal();
  EXPECT_FALSE(otherEnabled);
  EXPECT_TRUE(ownEnabled);
  EXPECT_TRUE(other->enabledWindow());
  EXPECT_TRUE(window()->enabledWindow());
}

TEST_F(HeadlessForms, ANestedShowTakesTheUserUntilItEnds) {
  TestForm inner;
  form->on("picPreview", forms::Event::Click, [&](int) { inner.showModal(); });
  platform.onNextShow([](ScriptedUser& user) {
    user.click("picPreview");
    user.type("txtName", u"outer");
    user.click("cmdOK");
  });
  platform.onNextShow([&](ScriptedUser& user) {
    EXPECT_EQ(user.window(), platform.windowOf(inner.handle()));
    user.type("txtName", u"inner");
    user.click("cmdOK");
  });
  form->showModal();
  EXPECT_EQ(inner.resultText, u"inner");
  EXPECT_EQ(form->resultText, u"outer");
  EXPECT_EQ(platform.modalShows, 2);
  EXPECT_EQ(platform.unfinishedShows, 0);
}

// --- system services ------------------------------------------------------

TEST_F(HeadlessForms, SettingsRoundTripIgnoringCaseAndFailingKeysStoreNothing) {
  EXPECT_FALSE(platform.readSetting(u"Quorin", u"Setting", u"Speed").has_value());
  EXPECT_TRUE(platform.writeSetting(u"Quorin", u"Setting", u"Speed", u"100"));
  EXPECT_TRUE(platform.writeSetting(u"quorin", u"SETTING", u"speed", u"50"));
  EXPECT_EQ(platform.readSetting(u"Quorin", u"Setting", u"Speed"), u"50");
  EXPECT_EQ(platform.settings.size(), 1u);
  platform.failingSettingKeys.insert(u"Sound");
  EXPECT_FALSE(platform.writeSetting(u"Quorin", u"Setting", u"Sound", u"a.wav"));
  EXPECT_FALSE(platform.readSetting(u"Quorin", u"Setting", u"Sound").has_value());
  ASSERT_EQ(platform.settingWrites.size(), 2u);
  EXPECT_EQ(platform.settingWrites[1].key, u"speed");
  EXPECT_EQ(platform.settingWrites[1].value, u"50");
}

TEST_F(HeadlessForms, IconHandlesAreCountedAndReleasedOnce) {
  platform.files[u"C:\\Tools\\Edit.exe"] = 32;
  platform.files[u"C:\\Tools"] = 16;
  const auto file = platform.shellFileIcon("c:\\tools\\edit.exe");
  const auto folder = platform.shellFileIcon("C:\\Tools");
  const auto special = platform.specialLargeIcon(10);
  EXPECT_EQ(platform.shellFileIcon(""), 0);
  EXPECT_EQ(platform.shellFileIcon("C:\\Nothing"), 0);
  EXPECT_EQ(platform.specialLargeIcon(4), 0);
  ASSERT_NE(file, 0);
  EXPECT_NE(file, folder);
  EXPECT_EQ(platform.liveIcons.size(), 3u);
  EXPECT_EQ(platform.liveIcons[file], u"file:c:\\tools\\edit.exe");

  platform.destroyIcon(file);
  platform.destroyIcon(folder);
  platform.destroyIcon(special);
  platform.destroyIcon(0);
  EXPECT_TRUE(platform.liveIcons.empty());
  EXPECT_EQ(platform.badIconReleases, 0);
  platform.destroyIcon(file);
  EXPECT_EQ(platform.badIconReleases, 1);

  platform.sysgateMissing = true;
  EXPECT_EQ(platform.specialLargeIcon(10), 0);
}

TEST_F(HeadlessForms, FileAttributesIgnoreCaseAndReportMissingPaths) {
  platform.files[u"C:\\Data"] = 16;
  platform.files[u"C:\\odd"] = 0x12345;
  EXPECT_EQ(platform.fileAttributes(u"c:\\DATA"), 16u);
  EXPECT_EQ(platform.fileAttributes(u"C:\\odd"), 0x12345u);
  EXPECT_FALSE(platform.fileAttributes(u"").has_value());
  EXPECT_FALSE(platform.fileAttributes(u"C:\\Dat").has_value());
}

TEST_F(HeadlessForms, CommonDialogsRecordTheirSettingsAndTakeScriptedAnswers) {
  forms::CommonDialogSettings dialog;
  dialog.title = u"Open";
  dialog.fileName = u"old.ico";
  platform.answerNextOpen(u"C:\\new.ico");
  platform.answerNextOpen(std::nullopt);
  EXPECT_TRUE(platform.showOpen(0, dialog));
  EXPECT_EQ(dialog.fileName, u"C:\\new.ico");
  EXPECT_FALSE(platform.showOpen(0, dialog));
  EXPECT_FALSE(platform.showOpen(0, dialog));  // nothing queued
  EXPECT_EQ(dialog.fileName, u"C:\\new.ico");
  ASSERT_EQ(platform.openDialogs.size(), 3u);
  EXPECT_EQ(platform.openDialogs[0].fileName, u"old.ico");

  platform.answerNextColour(0x123456);
  EXPECT_TRUE(platform.showColour(0, dialog));
  EXPECT_EQ(dialog.colour, 0x123456);
  EXPECT_FALSE(platform.showColour(0, dialog));
}

TEST_F(HeadlessForms, FolderChooserWritesAtTheStartAndNeverPastTheArea) {
  std::string area(10, ' ');
  platform.answerNextFolder(u"C:\\A");
  platform.browseForFolder(0, std::string("Pick\0", 5), area);
  EXPECT_EQ(area, std::string("C:\\A\0     ", 10));

  area = std::string(4, ' ');
  platform.answerNextFolder(u"C:\\Long");
  platform.browseForFolder(0, "p", area);
  EXPECT_EQ(area, std::string("C:\\\0", 4));

  area = "keep";
  platform.answerNextFolder(std::nullopt);
  platform.browseForFolder(0, "p", area);
  platform.pathwiseMissing = true;
  platform.answerNextFolder(u"C:\\A");
  platform.browseForFolder(0, "p", area);
  EXPECT_EQ(area, "keep");
  ASSERT_EQ(platform.folderPrompts.size(), 4u);
  EXPECT_EQ(platform.folderPrompts[0], std::string("Pick\0", 5));
}

TEST_F(HeadlessForms, AnsiTextIsLatin1) {
  EXPECT_EQ(platform.toAnsi(u"Caf\u00e9 \u20ac \U0001F600"), "Caf\xe9 ? ?");
  EXPECT_EQ(platform.fromAnsi("Caf\xe9"), u"Caf\u00e9");
}

}  // namespace
}  // namespace tollivor
