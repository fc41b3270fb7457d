// Field extraction from record strings: first occurrences, letter case,
// overlapping separators and the 16-bit position limit.
#include <gtest/gtest.h>

#include <string>

#include "shared/Stringbas.h"

namespace tollivor {
namespace {

using Stringbas::StrAfter;
using Stringbas::StrBefore;
using Stringbas::StrBetween;

// Text whose character `position` (counted from 1) is the first of `tail`.
std::u16string textWith(std::u16string tail, std::size_t position) {
  return std::u16string(position - 1, u'z') + tail;
}

TEST(Stringbas, SplitsAnItemRecordAtItsFirstBar) {
  EXPECT_EQ(StrBefore(u"name|tip", u"|"), u"name");
  EXPECT_EQ(StrAfter(u"name|tip", u"|"), u"tip");
  EXPECT_EQ(StrBefore(u"a|b|c", u"|"), u"a");
  EXPECT_EQ(StrAfter(u"a|b|c", u"|"), u"b|c");
  EXPECT_EQ(StrBefore(u"|tip", u"|"), u"");
  EXPECT_EQ(StrAfter(u"|tip", u"|"), u"tip");
  EXPECT_EQ(StrBefore(u"name|", u"|"), u"name");
  EXPECT_EQ(StrAfter(u"name|", u"|"), u"");
}

TEST(Stringbas, MissingSeparatorGivesEmptyNotTheWholeText) {
  EXPECT_EQ(StrBefore(u"plain", u"|"), u"");
  EXPECT_EQ(StrAfter(u"plain", u"|"), u"");
  EXPECT_EQ(StrBetween(u"plain", u"|", u"|:"), u"");
  EXPECT_EQ(StrBetween(u"a|b", u"|", u"#"), u"");
  EXPECT_EQ(StrBetween(u"a#b", u"|", u"#"), u"");
}

TEST(Stringbas, SplitsAGroupRecord) {
  EXPECT_EQ(StrBetween(u"kind|name|:file", u"|", u"|:"), u"name");
  EXPECT_EQ(StrAfter(u"kind|name|:file", u"|:"), u"file");
  EXPECT_EQ(StrBetween(u"x|y|z", u"|", u"|"), u"y");
  EXPECT_EQ(StrBetween(u"group||:C:\\g.ico", u"|", u"|:"), u"");
  EXPECT_EQ(StrBetween(u"a[b]c]", u"[", u"]"), u"b");
}

TEST(Stringbas, SecondSearchStartsOneCharacterPastTheFirstSeparator) {
  // The "|:" that begins at the first "|" is not found again.
  EXPECT_EQ(StrBetween(u"kind|:file", u"|", u"|:"), u"");
  // Found inside the first separator: a negative count, so empty.
  EXPECT_EQ(StrBetween(u"ab", u"ab", u"b"), u"");
  EXPECT_EQ(StrBetween(u"abXb", u"ab", u"b"), u"");
  // Overlapping by a whole separator length still counts as overlap.
  EXPECT_EQ(StrBetween(u"<<<", u"<<", u"<"), u"");
  // Ending exactly where the first ends gives an empty, not a failure.
  EXPECT_EQ(StrBetween(u"a<>b", u"<", u">"), u"");
  EXPECT_EQ(StrBetween(u"a<x>b", u"<", u">"), u"x");
}

TEST(Stringbas, LetterCaseIsIgnored) {
  EXPECT_EQ(StrAfter(u"oneXtwo", u"x"), u"two");
  EXPECT_EQ(StrBefore(u"oneXtwo", u"x"), u"one");
  EXPECT_EQ(StrBetween(u"aSEPbEndc", u"sep", u"END"), u"b");
  EXPECT_EQ(StrAfter(u"caf\u00C9ole", u"\u00E9"), u"ole");  // É and é
  // Symbols with a case-like distance are not letters.
  EXPECT_EQ(StrAfter(u"a\u00D7b", u"\u00F7"), u"");   // × is not ÷
  EXPECT_EQ(StrAfter(u"a@b", u"`"), u"");
  EXPECT_EQ(StrAfter(u"a[b", u"{"), u"");
}

TEST(Stringbas, EmptyInputs) {
  EXPECT_EQ(StrBefore(u"", u"|"), u"");
  EXPECT_EQ(StrAfter(u"", u"|"), u"");
  EXPECT_EQ(StrBetween(u"", u"|", u"|"), u"");
  EXPECT_EQ(StrBefore(u"", u""), u"");
  EXPECT_EQ(StrAfter(u"", u""), u"");
  // An empty separator is found at the start, as the runtime's InStr does.
  EXPECT_EQ(StrBefore(u"abc", u""), u"");
  EXPECT_EQ(StrAfter(u"abc", u""), u"abc");
  EXPECT_EQ(StrBetween(u"abc", u"", u""), u"a");
  EXPECT_EQ(StrBetween(u"abc", u"", u"c"), u"ab");
  EXPECT_EQ(StrBetween(u"a", u"", u""), u"");
}

TEST(Stringbas, SeparatorsPastCharacter32767CountAsAbsent) {
  const auto atLimit = textWith(u"|tip", 32767);
  EXPECT_EQ(StrBefore(atLimit, u"|"), std::u16string(32766, u'z'));
  EXPECT_EQ(StrAfter(atLimit, u"|"), u"tip");

  const auto pastLimit = textWith(u"|tip", 32768);
  EXPECT_EQ(StrBefore(pastLimit, u"|"), u"");
  EXPECT_EQ(StrAfter(pastLimit, u"|"), u"");

  // An earlier occurrence is found even when later ones lie past the limit.
  EXPECT_EQ(StrAfter(u"a|b" + textWith(u"|c", 40000), u"|"), u"b" + textWith(u"|c", 40000));
}

TEST(Stringbas, BetweenAtThe16BitLimit) {
  // Second separator past the limit: absent.
  EXPECT_EQ(StrBetween(u"k|" + textWith(u"|:f", 32767), u"|", u"|:"), u"");
  EXPECT_EQ(StrBetween(u"k|" + textWith(u"|:f", 32764), u"|", u"|:"),
            std::u16string(32763, u'z'));
  // First separator past the limit: absent, and the second search then
  // starts at 1, but the result is empty all the same.
  EXPECT_EQ(StrBetween(u"x:y" + textWith(u"|", 40000), u"|", u":"), u"");
  // First separator at 32,767 itself: the second lies past the limit.
  EXPECT_EQ(StrBetween(textWith(u"|ab|", 32767), u"|", u"|"), u"");
  EXPECT_EQ(StrBetween(textWith(u"|ab|", 32766), u"|", u"|"), u"");  // second at 32,769
  EXPECT_EQ(StrBetween(textWith(u"|a|", 32765), u"|", u"|"), u"a");  // second at 32,767
}

}  // namespace
}  // namespace tollivor
