// The shared routines: record fields, paths, placing a dialog at the
// cursor, and the shell module's task bar, icons and folder chooser.
#include <string_view>

#include "common/TestForm.h"
#include "shared/Mshared.h"
#include "shared/ShellEx.h"
#include "shared/Stringbas.h"
#include "unit/harness.h"

namespace tollivor::test {
namespace {

using forms::Edges;
using forms::Point;
using forms::headless::HeadlessWindow;

// Text whose character `position` (counted from 1) is the first of `tail`.
std::u16string at(std::u16string tail, std::size_t position) { return std::u16string(position - 1, u'z') + tail; }

TEST(Stringbas, FirstOccurrencesAnyCaseWithinTheSixteenBitLimit) {
  const struct {
    std::string_view routine;  // "before", "after" or "between"
    std::u16string text, first, second, expected;
  } cases[] = {
      {"before", u"name|tip", u"|", {}, u"name"}, {"before", u"plain", u"|", {}, u""},
      {"after", u"a|b|c", u"|", {}, u"b|c"}, {"between", u"kind|name|:file", u"|", u"|:", u"name"},
      // The second search starts one character past the first separator.
      {"between", u"kind|:file", u"|", u"|:", u""}, {"between", u"<<<", u"<<", u"<", u""},
      {"between", u"a<x>b", u"<", u">", u"x"},
      // Letters match in either case, Latin-1's too; symbols a case's distance apart do not.
      {"between", u"aSEPbEndc", u"sep", u"END", u"b"}, {"after", u"\u00C0x\u00DEy", u"\u00E0X\u00FE", {}, u"y"},
      {"after", u"a\u00D7b", u"\u00F7", {}, u""}, {"after", u"a[b", u"{", {}, u""},
      // An empty separator is found at the start, but not in empty text.
      {"after", u"", u"", {}, u""}, {"before", u"abc", u"", {}, u""}, {"after", u"abc", u"", {}, u"abc"},
      {"between", u"abc", u"", u"", u"a"},
      // Separators past character 32,767 count as absent.
      {"after", at(u"|tip", 32767), u"|", {}, u"tip"}, {"before", at(u"|tip", 32768), u"|", {}, u""},
      {"between", u"k|" + at(u"|:f", 32767), u"|", u"|:", u""},
      {"between", u"k|" + at(u"|:f", 32764), u"|", u"|:", std::u16string(32763, u'z')},
      {"between", at(u"|a|", 32765), u"|", u"|", u"a"},  // second at 32,767
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    EXPECT_EQ(c.routine == "before"  ? Stringbas::StrBefore(c.text, c.first)
              : c.routine == "after" ? Stringbas::StrAfter(c.text, c.first)
                                     : Stringbas::StrBetween(c.text, c.first, c.second),
              c.expected);
  }
}

TEST_F(Headless, FileExistsForAnythingButAPlainFolderOrAFailedRead) {
  const struct {
    std::optional<std::uint32_t> attributes;  // nullopt: no such path
    bool exists;
  } cases[] = {{32, true}, {0, true}, {16, false}, {17, true}, {48, true}, {0x400020, false}, {std::nullopt, false}};
  for (const auto& c : cases) {
    system.files.clear();
    if (c.attributes) system.files[u"C:\\Media\\Chord.wav"] = *c.attributes;
    EXPECT_EQ(Mshared::FileExists(u"c:\\media\\CHORD.WAV"), c.exists) << (&c - cases);
  }
  EXPECT_FALSE(Mshared::FileExists(u""));
}

TEST(GetParentFolder, CutsAtTheLastBackslashKeepingOneAsThirdCharacter) {
  const std::u16string head = u"C:\\dir\\" + std::u16string(32753, u'z');  // 32,760 long
  const struct {
    std::u16string path, parent;
  } cases[] = {
      {u"C:\\Windows\\chord.wav", u"C:\\Windows"}, {u"a/b\\c/d", u"a/b"}, {u"C:\\chord.wav", u"C:\\"},
      {u"ab\\c", u"ab\\"}, {u"C:x\\y", u"C:x"}, {u"C\\y", u"C"}, {u"\\chord.wav", u""},
      {head + u"zzzzzz\\x", head + u"zzzzzz"}, {head + u"zzzzzzz\\x", u"C:\\dir"},  // at 32,767; 32,768
  };
  for (const auto& c : cases) EXPECT_EQ(Mshared::GetParentFolder(c.path), c.parent) << (&c - cases);
}

// An 800 x 600 pixel screen (12000 x 9000 twips), a 4200 x 3000 dialog unless
// a case says otherwise. Margins: 210 across and 500 down, or the task bar's
// size + 210 on its axis when it is shown (state 2).
TEST_F(Headless, PlacementAtTheCursor) {
  constexpr Edges kBottom{-2, 570, 802, 602}, kLeft{0, 0, 62, 600};
  const struct {
    const char* what;
    std::optional<int> barState;
    std::optional<Edges> bar;
    std::optional<Point> cursor;
    Point expected;
    int width = 4200, height = 3000;
    std::optional<forms::Size> screen = forms::Size{12000, 9000};
  } cases[] = {
      {"bottom bar, room", 2, kBottom, Point{400, 300}, {3900, 3000}},
      {"bottom bar, far", 2, kBottom, Point{799, 599}, {7300, 5310}},
      {"bottom bar, near", 2, kBottom, Point{0, 0}, {500, 690}},
      {"left bar, near", 2, kLeft, Point{0, 0}, {1140, 500}},
      {"left bar, far", 2, kLeft, Point{799, 599}, {6660, 5500}},
      {"state 1", 1, kBottom, Point{799, 599}, {7590, 5500}},
      {"state 3", 3, kBottom, Point{0, 0}, {210, 500}},
      {"on the far margins", 0, {}, Point{646, 466}, {7590, 5480}, 4200, 3020},
      {"past the near margins", 0, {}, Point{154, 134}, {210, 500}, 4202, 3022},
      {"past the far margins", 0, {}, Point{646, 466}, {7588, 5478}, 4202, 3022},
      {"too wide, far", 2, kBottom, Point{799, 300}, {-500, 3000}, 12000},  // corrected once
      {"too wide, near", 2, kBottom, Point{0, 300}, {500, 3000}, 12000},
      {"top bar as wide as the screen", 2, Edges{0, 0, 800, 40}, Point{0, 0}, {500, 810}},
      {"one pixel narrower: a side bar", 2, Edges{1, 0, 800, 40}, Point{0, 0}, {12195, 500}},
      {"cursor unknown", 2, kBottom, std::nullopt, {500, 690}},
      {"bar state unknown", std::nullopt, kBottom, Point{0, 0}, {210, 500}},
      {"bar rectangle unknown, far", 2, std::nullopt, Point{799, 599}, {7590, 5500}},
      {"screen unknown, far", 0, {}, Point{799, 599}, {9885, 7485}, 4200, 3000, std::nullopt},
      {"cursor x overflows", 0, {}, Point{200000000, 300}, {210, 3000}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    system.taskbarStateValue = c.barState;
    system.taskbarRect = c.bar;
    system.cursor = c.cursor;
    system.screen = c.screen;
    forms::FormTable table;  // an empty dialog of the case's outer size
    table.clientWidth = c.width - 2 * HeadlessWindow::kFrameTwips;
    table.clientHeight = c.height - 2 * HeadlessWindow::kFrameTwips - HeadlessWindow::kCaptionTwips;
    forms::Form form(table);
    forms::Rect shown{-1, -1, 0, 0};
    system.onNextShow([&](ScriptedUser& user) {
      if (user.window()->isVisible()) shown = *user.window()->bounds();
      user.window()->hide();
    });
    Mshared::ShowFormAtCursor(form);  // loads the form, which is not loaded yet
    EXPECT_EQ(shown.left, c.expected.x);
    EXPECT_EQ(shown.top, c.expected.y);
  }
}

TEST_F(Headless, TaskbarSizesCountOnlyInStateTwoAndFailedQueriesAnswerZero) {
  system.taskbarRect = Edges{-2, 570, 802, 602};
  for (int state : {0, 1, 2, 3}) {
    system.taskbarStateValue = state;
    EXPECT_EQ(ShellEx::GetTaskbarState(), state);
    EXPECT_EQ(ShellEx::GetTaskbarWidth(), state == 2 ? 804 * 15 : 0) << state;
    EXPECT_EQ(ShellEx::GetTaskbarHeight(), state == 2 ? 32 * 15 : 0) << state;
  }
  system.taskbarStateValue = 0x10002;  // does not fit the 16-bit state
  EXPECT_EQ(ShellEx::GetTaskbarState(), 0);
  system.taskbarStateValue = std::nullopt;
  EXPECT_EQ(ShellEx::GetTaskbarWidth(), 0);
  system.taskbarStateValue = 2;
  system.taskbarRect = std::nullopt;
  EXPECT_EQ(ShellEx::GetTaskbarHeight(), 0);
  system.taskbarRect = Edges{-200000000, 0, 0, 1};  // 200,000,000 * 15 overflows
  EXPECT_EQ(ShellEx::GetTaskbarWidth(), 0);
  EXPECT_EQ(ShellEx::GetTaskbarHeight(), 15);
}

TEST_F(Headless, IconsAreDrawnIntoThePreviewAndReleased) {
  TestForm form;
  system.files[u"C:\\Tools"] = 16;
  system.files[u"C:\\\u0416"] = 16;
  const auto preview = [&] { return system.windowOf(form.handle())->pictureShows("picPreview"); };
  ShellEx::DrawIconInPreview(form.picPreview, ShellEx::GetSpecialIcon(5));
  EXPECT_EQ(preview(), Shows{u"special:5"});
  ShellEx::DrawIconInPreview(form.picPreview, ShellEx::GetFileIcon(u"c:\\tools"));
  EXPECT_EQ(preview(), Shows{u"file:c:\\tools"});
  ShellEx::DrawPickedIcon(form.picPreview, ShellEx::GetSpecialIcon(3));
  EXPECT_EQ(preview(), Shows{u"special:3"});
  ShellEx::DrawIconInPreview(form.picPreview, 0);
  EXPECT_EQ(preview(), Shows{});
  EXPECT_EQ(ShellEx::GetSpecialIcon(4), 0);
  EXPECT_EQ(ShellEx::GetFileIcon(u"C:\\Tools\\missing.exe"), 0);
  EXPECT_EQ(ShellEx::GetFileIcon(u"C:\\\u0416"), 0) << "asked in ANSI: outside the code page, no match";
  system.sysgateMissing = true;
  EXPECT_EQ(ShellEx::GetSpecialIcon(5), 0);
}

TEST_F(Headless, FolderChooserGivesTheTrimmedChoiceOrEmpty) {
  const struct {
    std::optional<std::u16string> answer;
    std::u16string result;
  } cases[] = {
      {u"C:\\Program Files", u"C:\\Program Files"},
      {u"  C:\\Odd ", u"C:\\Odd "},  // the area is trimmed: the blank before its NUL stays
      {u"C:\\" + std::u16string(3100, u'd'), u"C:\\" + std::u16string(2996, u'd')},  // 3000, NUL included
      {std::nullopt, u""}, {u"", u""},
  };
  for (const auto& c : cases) {
    system.answerNextFolder(c.answer);
    EXPECT_EQ(ShellEx::ChooseFolder(0, u"p"), c.result) << (&c - cases);
  }
  EXPECT_EQ(system.folderPrompts.at(0), std::string("p") + '\0');
  system.pathwiseMissing = true;
  system.answerNextFolder(u"C:\\Tools");
  EXPECT_EQ(ShellEx::ChooseFolder(0, u"p"), u"");
}

}  // namespace
}  // namespace tollivor::test
