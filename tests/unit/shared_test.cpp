// The shared routines: record fields, paths, placing a dialog at the
// cursor, and the shell module's task bar, icons and folder chooser.
#include "forms/Form.h"
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
Text at(const Text& tail, std::size_t position) { return Text(position - 1, u'z') + tail; }

// A missing separator gives "". StrBetween's second search starts one character past the first
// separator. Letters match in either case (Latin-1 too), symbols a case's distance apart do not. An
// empty separator is found at the start. Separators past character 32,767 count as absent.
TEST(Stringbas, FirstOccurrencesAnyCaseWithinTheSixteenBitLimit) {
  const struct { char routine; Text text, first, second, expected; } cases[] = {  // Before, After, Between
      {'B', u"name|tip", u"|", {}, u"name"}, {'B', u"plain", u"|", {}, u""}, {'A', u"a|b|c", u"|", {}, u"b|c"},
      {'b', u"kind|name|:file", u"|", u"|:", u"name"}, {'b', u"kind|:file", u"|", u"|:", u""},
      {'b', u"aSEPbEndc", u"sep", u"END", u"b"},
      {'A', u"\u00C0x\u00DEy", u"\u00E0X\u00FE", {}, u"y"}, {'A', u"a\u00D7b", u"\u00F7", {}, u""},
      {'A', u"a[b", u"{", {}, u""}, {'A', u"", u"", {}, u""}, {'b', u"abc", u"", u"", u"a"},
      {'A', at(u"|tip", 32767), u"|", {}, u"tip"},
      {'B', at(u"|tip", 32768), u"|", {}, u""}, {'b', u"k|" + at(u"|:f", 32767), u"|", u"|:", u""},
      {'b', u"k|" + at(u"|:f", 32764), u"|", u"|:", std::u16string(32763, u'z')},
      {'b', at(u"|a|", 32765), u"|", u"|", u"a"}};  // the second at 32,767
  for (const auto& c : cases)
    EXPECT_EQ(c.routine == 'B'   ? Stringbas::StrBefore(c.text, c.first)
              : c.routine == 'A' ? Stringbas::StrAfter(c.text, c.first)
                                 : Stringbas::StrBetween(c.text, c.first, c.second),
              c.expected) << (&c - cases);
}

// FileExists: anything but a plain folder or a failed read, ignoring case.
// GetParentFolder cuts at the last backslash, keeping one that is the
// third character; a backslash past character 32,767 is not seen.
TEST_F(Headless, FileExistsAndGetParentFolder) {
  const struct { std::optional<std::uint32_t> attributes; bool exists; } files[] = {
      {32, true}, {0, true}, {16, false}, {17, true}, {48, true}, {0x400020, false}, {std::nullopt, false}};
  for (const auto& c : files) {
    system.files.clear();
    if (c.attributes) system.files[u"C:\\Media\\Chord.wav"] = *c.attributes;
    EXPECT_EQ(Mshared::FileExists(u"c:\\media\\CHORD.WAV"), c.exists) << (&c - files);
  }
  EXPECT_FALSE(Mshared::FileExists(u""));
  const std::u16string head = u"C:\\dir\\" + std::u16string(32753, u'z');  // 32,760 long
  const struct { std::u16string path, parent; } paths[] = {
      {u"C:\\Windows\\chord.wav", u"C:\\Windows"}, {u"a/b\\c/d", u"a/b"}, {u"C:\\chord.wav", u"C:\\"},
      {u"ab\\c", u"ab\\"}, {u"C:x\\y", u"C:x"}, {u"C\\y", u"C"}, {u"\\chord.wav", u""},
      {head + u"zzzzzz\\x", head + u"zzzzzz"}, {head + u"zzzzzzz\\x", u"C:\\dir"}};
  for (const auto& c : paths) EXPECT_EQ(Mshared::GetParentFolder(c.path), c.parent) << (&c - paths);
}

// An 800 x 600 pixel screen, a 4200 x 3000 twip dialog unless a case says otherwise. Margins: 210
// across and 500 down, or the task bar's size + 210 on its axis when it is shown (state 2). Too
// wide a dialog is corrected once, from whichever side; failed queries count as nothing.
TEST_F(Headless, PlacementAtTheCursor) {
  constexpr Edges kBottom{-2, 570, 802, 602}, kLeft{0, 0, 62, 600};
  using Size = std::optional<forms::Size>;
  const struct { std::optional<int> barState; std::optional<Edges> bar; std::optional<Point> cursor; Point expected;
                 int width = 4200, height = 3000; Size screen = forms::Size{12000, 9000}; } cases[] = {
      {2, kBottom, Point{400, 300}, {3900, 3000}}, {2, kBottom, Point{799, 599}, {7300, 5310}},
      {2, kLeft, Point{0, 0}, {1140, 500}}, {1, kBottom, Point{799, 599}, {7590, 5500}},
      {3, kBottom, Point{0, 0}, {210, 500}},
      {0, {}, Point{646, 466}, {7590, 5480}, 4200, 3020},   // exactly on the far margins
      {0, {}, Point{154, 134}, {210, 500}, 4202, 3022},     // just past the near ones
      {0, {}, Point{646, 466}, {7588, 5478}, 4202, 3022},   // just past the far ones
      {2, kBottom, Point{799, 300}, {-500, 3000}, 12000}, {2, kBottom, Point{0, 300}, {500, 3000}, 12000},
      {2, Edges{0, 0, 800, 40}, Point{0, 0}, {500, 810}},   // a top bar as wide as the screen
      {2, Edges{1, 0, 800, 40}, Point{0, 0}, {12195, 500}},  // one pixel narrower: a side bar
      {2, kBottom, std::nullopt, {500, 690}}, {std::nullopt, kBottom, Point{0, 0}, {210, 500}},
      {2, std::nullopt, Point{799, 599}, {7590, 5500}},
      {0, {}, Point{799, 599}, {9885, 7485}, 4200, 3000, std::nullopt},
      {0, {}, Point{200000000, 300}, {210, 3000}}};  // the cursor's x overflows
  for (const auto& c : cases) {
    system.taskbarStateValue = c.barState;
    system.taskbarRect = c.bar;
    system.cursor = c.cursor;
    system.screen = c.screen;
    forms::FormTable table;  // an empty dialog of the case's outer size
    table.clientWidth = c.width - 2 * HeadlessWindow::kFrameTwips;
    table.clientHeight = c.height - 2 * HeadlessWindow::kFrameTwips - HeadlessWindow::kCaptionTwips;
    forms::Form form(table);
    forms::Rect shown{-1, -1, 0, 0};
    system.onNextShow([&](ScriptedUser& user) { shown = *user.window()->bounds(), user.window()->hide(); });
    Mshared::ShowFormAtCursor(form);  // loads the form, which is not loaded yet
    EXPECT_EQ(std::pair(shown.left, shown.top), std::pair(c.expected.x, c.expected.y)) << (&c - cases);
  }
}

// The task bar's sizes count in state 2 only (see placement); a failed or odd query answers 0.
TEST_F(Headless, TaskbarQueriesThatFailAnswerZero) {
  system.taskbarStateValue = 0x10002;  // does not fit the 16-bit state
  EXPECT_EQ(ShellEx::GetTaskbarState(), 0);
  system.taskbarStateValue = 2;
  system.taskbarRect = std::nullopt;
  EXPECT_EQ(ShellEx::GetTaskbarHeight(), 0);
  system.taskbarRect = Edges{-200000000, 0, 0, 1};  // 200,000,000 * 15 overflows
  EXPECT_EQ(std::pair(ShellEx::GetTaskbarWidth(), ShellEx::GetTaskbarHeight()), std::pair(0, 15));
}

// Drawing and releasing icons is the dialogs' daily bread (their tests);
// here, the icons the shell cannot give.
TEST_F(Headless, IconsTheShellCannotGiveAreNone) {
  system.files[u"C:\\\u0416"] = 16;
  EXPECT_EQ(ShellEx::GetSpecialIcon(4), 0);
  EXPECT_EQ(ShellEx::GetFileIcon(u"C:\\Tools\\missing.exe"), 0);
  EXPECT_EQ(ShellEx::GetFileIcon(u"C:\\\u0416"), 0) << "asked in ANSI: outside the code page, no match";
  system.sysgateMissing = true;
  EXPECT_EQ(ShellEx::GetSpecialIcon(5), 0);
}

// The chooser's area holds 3000 characters, NUL included, and is trimmed:
// a blank before its NUL stays.
TEST_F(Headless, FolderChooserGivesTheTrimmedChoiceOrEmpty) {
  const struct { std::optional<std::u16string> answer; std::u16string result; } cases[] = {
      {u"C:\\Program Files", u"C:\\Program Files"}, {u"  C:\\Odd ", u"C:\\Odd "},
      {u"C:\\" + Text(3100, u'd'), u"C:\\" + Text(2996, u'd')}, {std::nullopt, u""}, {u"", u""}};
  for (const auto& c : cases) {
    system.answerNextFolder(c.answer);
    EXPECT_EQ(ShellEx::ChooseFolder(0, u"p"), c.result) << (&c - cases);
  }
  system.pathwiseMissing = true;
  system.answerNextFolder(u"C:\\Tools");
  EXPECT_EQ(ShellEx::ChooseFolder(0, u"p"), u"");
}

}  // namespace
}  // namespace tollivor::test
