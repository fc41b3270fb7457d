// The shell module over the headless platform: task bar queries, icons
// fetched, drawn into a preview and released once, and the folder chooser.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/TestForm.h"
#include "forms/headless/HeadlessPlatform.h"
#include "shared/ShellEx.h"

namespace tollivor {
namespace {

using forms::Edges;
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

  forms::headless::HeadlessPlatform system;
  std::unique_ptr<test::TestForm> form = std::make_unique<test::TestForm>();
};

TEST_F(ShellExTest, TaskbarSizesCountOnlyInStateTwo) {
  system.taskbarRect = Edges{-2, 570, 802, 602};
  for (int state : {0, 1, 2, 3}) {
    system.taskbarStateValue = state;
    EXPECT_EQ(ShellEx::GetTaskbarState(), state);
    EXPECT_EQ(ShellEx::GetTaskbarWidth(), state == 2 ? 804 * 15 : 0) << state;
    EXPECT_EQ(ShellEx::GetTaskbarHeight(), state == 2 ? 32 * 15 : 0) << state;
  }
}

TEST_F(ShellExTest, TaskbarQueriesThatFailAnswerZero) {
  system.taskbarStateValue = std::nullopt;
  system.taskbarRect = Edges{0, 570, 800, 600};
  EXPECT_EQ(ShellEx::GetTaskbarState(), 0);
  EXPECT_EQ(ShellEx::GetTaskbarWidth(), 0);
  system.taskbarStateValue = 0x10002;  // does not fit the 16-bit state
  EXPECT_EQ(ShellEx::GetTaskbarState(), 0);

  system.taskbarStateValue = 2;
  system.taskbarRect = std::nullopt;
  EXPECT_EQ(ShellEx::GetTaskbarWidth(), 0);
  EXPECT_EQ(ShellEx::GetTaskbarHeight(), 0);
  system.taskbarRect = Edges{-200000000, 0, 0, 1};  // 200,000,000 * 15 overflows
  EXPECT_EQ(ShellEx::GetTaskbarWidth(), 0);
  EXPECT_EQ(ShellEx::GetTaskbarHeight(), 15);
}

TEST_F(ShellExTest, IconsAreDrawnIntoThePreviewAndReleased) {
  system.files[u"C:\\Tools"] = 16;
  system.files[u"C:\\\u0416"] = 16;
  const auto preview = [&] { return system.windowOf(form->handle())->pictureShows("picPreview"); };
  ShellEx::DrawIconInPreview(form->picPreview, ShellEx::GetSpecialIcon(5));
  EXPECT_EQ(preview(), Shows{u"special:5"});
  ShellEx::DrawIconInPreview(form->picPreview, ShellEx::GetFileIcon(u"c:\\tools"));
  EXPECT_EQ(preview(), Shows{u"file:c:\\tools"});
  ShellEx::DrawPickedIcon(form->picPreview, ShellEx::GetSpecialIcon(3));
  EXPECT_EQ(preview(), Shows{u"special:3"});
  ShellEx::DrawIconInPreview(form->picPreview, 0);
  EXPECT_EQ(preview(), Shows{});

  EXPECT_EQ(ShellEx::GetSpecialIcon(4), 0);
  EXPECT_EQ(ShellEx::GetFileIcon(u""), 0);
  EXPECT_EQ(ShellEx::GetFileIcon(u"C:\\Tools\\missing.exe"), 0);
  // The shell is asked in ANSI: a name outside the code page cannot match.
  EXPECT_EQ(ShellEx::GetFileIcon(u"C:\\\u0416"), 0);
  system.sysgateMissing = true;
  EXPECT_EQ(ShellEx::GetSpecialIcon(5), 0);
}

TEST_F(ShellExTest, FolderChooserGivesTheTrimmedChoiceOrEmpty) {
  system.answerNextFolder(u"C:\\Program Files");
  EXPECT_EQ(ShellEx::ChooseFolder(form->handle(), u"Choose a folder."), u"C:\\Program Files");
  EXPECT_EQ(system.folderPrompts.at(0), std::string("Choose a folder.") + '\0');
  system.answerNextFolder(u"  C:\\Odd ");  // the area is trimmed: the blank before its NUL stays
  EXPECT_EQ(ShellEx::ChooseFolder(0, u"p"), u"C:\\Odd ");
  // The area holds 3000 characters: the library writes 2999 and the NUL.
  system.answerNextFolder(u"C:\\" + std::u16string(3100, u'd'));
  EXPECT_EQ(ShellEx::ChooseFolder(0, u"p"), u"C:\\" + std::u16string(2996, u'd'));

  system.answerNextFolder(std::nullopt);
  EXPECT_EQ(ShellEx::ChooseFolder(0, u"p"), u"");
  system.answerNextFolder(u"");
  EXPECT_EQ(ShellEx::ChooseFolder(0, u"p"), u"");
  system.pathwiseMissing = true;
  system.answerNextFolder(u"C:\\Tools");
  EXPECT_EQ(ShellEx::ChooseFolder(0, u"p"), u"");
}

}  // namespace
}  // namespace tollivor
