// The shell module over the headless platform: task bar queries, icons
// fetched, drawn into a preview and released, and the folder chooser.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/TestForm.h"
#include "platform/headless/HeadlessPlatform.h"
#include "shared/ShellEx.h"

namespace tollivor {
namespace {

using forms::Rect;
using forms::headless::HeadlessPlatform;
using Shows = std::vector<std::u16string>;

class ShellExTest : public ::testing::Test {
 protected:
  ShellExTest() { forms::setPlatform(&system); }
  ~ShellExTest() override {
    form.reset();
    EXPECT_TRUE(system.liveIcons.empty()) << "an icon handle was not released";
    EXPECT_EQ(system.badIconReleases, 0) << "an icon handle was released twice";
    forms::setPlatform(nullptr);
  }

  forms::headless::HeadlessWindow& window() { return *system.windowOf(form->handle()); }
  Shows preview() { return window().pictureShows("picPreview"); }
  int clears() { return window().pictureClears("picPreview"); }
  int refreshes() { return window().pictureRefreshes("picPreview"); }

  void release(forms::IconHandle icon) { system.destroyIcon(icon); }

  HeadlessPlatform system;
  std::unique_ptr<testing::TestForm> form = std::make_unique<testing::TestForm>();
};

// --- task bar -------------------------------------------------------------

TEST_F(ShellExTest, TaskbarSizesCountOnlyInStateTwo) {
  system.taskbarRect = Rect{-2, 570, 802, 602};
  for (int state : {0, 1, 2, 3}) {
    system.taskbarStateValue = state;
    EXPECT_EQ(ShellEx::GetTaskbarState(), state);
    EXPECT_EQ(ShellEx::GetTaskbarWidth(), state == 2 ? 804 * 15 : 0) << state;
    EXPECT_EQ(ShellEx::GetTaskbarHeight(), state == 2 ? 32 * 15 : 0) << state;
  }
}

TEST_F(ShellExTest, TaskbarQueriesThatFailAnswerZero) {
  system.taskbarStateValue = std::nullopt;
  system.taskbarRect = Rect{0, 570, 800, 600};
  EXPECT_EQ(ShellEx::GetTaskbarState(), 0);
  EXPECT_EQ(ShellEx::GetTaskbarWidth(), 0);

  system.taskbarStateValue = 2;
  system.taskbarRect = std::nullopt;
  EXPECT_EQ(ShellEx::GetTaskbarWidth(), 0);
  EXPECT_EQ(ShellEx::GetTaskbarHeight(), 0);

  system.taskbarRect = Rect{-200000000, 0, 0, 1};  // 200,000,000 * 15 overflows
  EXPECT_EQ(ShellEx::GetTaskbarWidth(), 0);
  EXPECT_EQ(ShellEx::GetTaskbarHeight(), 15);

  system.taskbarStateValue = 0x10002;  // does not fit the 16-bit state
  EXPECT_EQ(ShellEx::GetTaskbarState(), 0);
}

TEST_F(ShellExTest, TaskbarRectangleIsUsedAsReported) {
  system.taskbarStateValue = 2;
  system.taskbarRect = Rect{800, 0, 740, 600};  // right before left
  EXPECT_EQ(ShellEx::GetTaskbarWidth(), -60 * 15);
  system.taskbarRect = Rect{0, 0, 800, 600};
  EXPECT_EQ(ShellEx::GetTaskbarWidth(), 12000);  // asked afresh, nothing cached
}

// --- icons ----------------------------------------------------------------

TEST_F(ShellExTest, SpecialIconsComeFromTheHelperLibrary) {
  for (int number : {1, 2, 3, 5, 6, 8, 9, 10}) {
    const auto icon = ShellEx::GetSpecialIcon(number);
    ASSERT_NE(icon, 0) << number;
    const std::string digits = std::to_string(number);
    EXPECT_EQ(system.liveIcons[icon], u"special:" + std::u16string(digits.begin(), digits.end()));
    release(icon);
  }
  EXPECT_EQ(ShellEx::GetSpecialIcon(4), 0);
  EXPECT_EQ(ShellEx::GetSpecialIcon(0), 0);
  system.sysgateMissing = true;
  EXPECT_EQ(ShellEx::GetSpecialIcon(5), 0);
}

TEST_F(ShellExTest, FileIconsOnlyForExistingFilesAndFolders) {
  system.files[u"C:\\Tools\\edit.exe"] = 32;
  system.files[u"C:\\Tools"] = 16;
  system.files[u"C:\\Caf\u00E9"] = 16;

  for (const std::u16string path : {u"C:\\Tools\\edit.exe", u"C:\\Tools", u"C:\\Caf\u00E9"}) {
    const auto icon = ShellEx::GetFileIcon(path);
    ASSERT_NE(icon, 0);
    EXPECT_EQ(system.liveIcons[icon], u"file:" + path);
    release(icon);
  }
  EXPECT_EQ(ShellEx::GetFileIcon(u""), 0);
  EXPECT_EQ(ShellEx::GetFileIcon(u"C:\\Tools\\missing.exe"), 0);
  // The shell is asked in ANSI: a name outside the code page cannot match.
  system.files[u"C:\\\u0416"] = 16;
  EXPECT_EQ(ShellEx::GetFileIcon(u"C:\\\u0416"), 0);
}

TEST_F(ShellExTest, DrawingIntoAPreviewReplacesItAndReleasesTheIcon) {
  system.files[u"C:\\a.exe"] = 32;
  ShellEx::DrawIconInPreview(form->picPreview, ShellEx::GetSpecialIcon(5));
  EXPECT_EQ(preview(), Shows{u"special:5"});
  ShellEx::DrawIconInPreview(form->picPreview, ShellEx::GetFileIcon(u"C:\\a.exe"));
  EXPECT_EQ(preview(), Shows{u"file:C:\\a.exe"});
  EXPECT_EQ(clears(), 2);
  EXPECT_EQ(refreshes(), 0);

  ShellEx::DrawIconInPreview(form->picPreview, 0);
  EXPECT_EQ(preview(), Shows{});
  EXPECT_EQ(clears(), 3);
}

TEST_F(ShellExTest, APickedIconIsDrawnBetweenTwoRefreshes) {
  ShellEx::DrawPickedIcon(form->picPreview, ShellEx::GetSpecialIcon(3));
  EXPECT_EQ(preview(), Shows{u"special:3"});
  EXPECT_EQ(clears(), 1);
  EXPECT_EQ(refreshes(), 2);

  ShellEx::DrawPickedIcon(form->picPreview, 0);  // just cleared
  EXPECT_EQ(preview(), Shows{});
  EXPECT_EQ(clears(), 2);
  EXPECT_EQ(refreshes(), 2);
}

// --- folder chooser -------------------------------------------------------

TEST_F(ShellExTest, ChosenFolderComesBackWithoutItsNul) {
  system.answerNextFolder(u"C:\\Program Files");
  EXPECT_EQ(ShellEx::ChooseFolder(form->handle(), u"Choose a folder."), u"C:\\Program Files");
  ASSERT_EQ(system.folderPrompts.size(), 1u);
  EXPECT_EQ(system.folderPrompts[0], std::string("Choose a folder.") + '\0');
}

TEST_F(ShellExTest, NothingChosenOrNoLibraryGivesEmpty) {
  system.answerNextFolder(std::nullopt);
  EXPECT_EQ(ShellEx::ChooseFolder(0, u"Choose a folder."), u"");
  EXPECT_EQ(ShellEx::ChooseFolder(0, u"Choose a folder."), u"");  // nothing queued

  system.pathwiseMissing = true;
  system.answerNextFolder(u"C:\\Tools");
  EXPECT_EQ(ShellEx::ChooseFolder(0, u"Choose a folder."), u"");
}

TEST_F(ShellExTest, ChosenFolderIsTrimmedOfBlanks) {
  // Blanks at the ends of the path itself go with the trimming, and an
  // empty choice (a NUL at the start) gives "".
  system.answerNextFolder(u"  C:\\Odd ");
  EXPECT_EQ(ShellEx::ChooseFolder(0, u"p"), u"C:\\Odd ");
  system.answerNextFolder(u"");
  EXPECT_EQ(ShellEx::ChooseFolder(0, u"p"), u"");
}

TEST_F(ShellExTest, AChoiceLongerThanTheAreaIsCut) {
  // The area holds 3000 characters: the library writes 2999 and the NUL.
  system.answerNextFolder(u"C:\\" + std::u16string(3100, u'd'));
  EXPECT_EQ(ShellEx::ChooseFolder(0, u"p"), u"C:\\" + std::u16string(2996, u'd'));
}

}  // namespace
}  // namespace tollivor
