// Field extraction from record strings: first occurrences, letter case,
// overlapping separators, empty inputs and the 16-bit position limit.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "shared/Stringbas.h"

namespace tollivor {
namespace {

using namespace std::string_view_literals;

// Text whose character `position` (counted from 1) is the first of `tail`.
std::u16string textWith(std::u16string tail, std::size_t position) {
  return std::u16string(position - 1, u'z') + tail;
}

struct Example {
  std::string_view routine;  // "before", "after" or "between"
  std::u16string text, first, second, expected;
};

const Example kExamples[] = {
    // Records split at their first separator; a missing one gives empty.
    {"before", u"name|tip", u"|", {}, u"name"},
    {"before", u"|tip", u"|", {}, u""},
    {"after", u"a|b|c", u"|", {}, u"b|c"},
    {"before", u"plain", u"|", {}, u""},
    {"between", u"kind|name|:file", u"|", u"|:", u"name"},
    {"after", u"kind|name|:file", u"|:", {}, u"file"},
    {"between", u"a[b]c]", u"[", u"]", u"b"},
    // The second search starts one character past the first separator.
    {"between", u"kind|:file", u"|", u"|:", u""},
    {"between", u"ab", u"ab", u"b", u""},
    {"between", u"<<<", u"<<", u"<", u""},
    {"between", u"a<x>b", u"<", u">", u"x"},
    // Letters match in either case; symbols a case's distance apart do not.
    {"after", u"oneXtwo", u"x", {}, u"two"},
    {"between", u"aSEPbEndc", u"sep", u"END", u"b"},
    {"after", u"caf\u00C9ole", u"\u00E9", {}, u"ole"},
    {"after", u"\u00C0x\u00DEy", u"\u00E0X\u00FE", {}, u"y"},  // both ends of Latin-1's capitals
    {"after", u"a\u00D7b", u"\u00F7", {}, u""},
    {"after", u"a[b", u"{", {}, u""},
    // Empty inputs: an empty separator is found at the start.
    {"before", u"", u"|", {}, u""},
    {"after", u"", u"", {}, u""},
    {"before", u"abc", u"", {}, u""},
    {"after", u"abc", u"", {}, u"abc"},
    {"between", u"abc", u"", u"", u"a"},
    {"between", u"abc", u"", u"c", u"ab"},
    // Separators past character 32,767 count as absent.
    {"after", textWith(u"|tip", 32767), u"|", {}, u"tip"},
    {"before", textWith(u"|tip", 32768), u"|", {}, u""},
    {"after", u"a|b" + textWith(u"|c", 40000), u"|", {}, u"b" + textWith(u"|c", 40000)},
    {"between", u"k|" + textWith(u"|:f", 32767), u"|", u"|:", u""},
    {"between", u"k|" + textWith(u"|:f", 32764), u"|", u"|:", std::u16string(32763, u'z')},
    {"between", u"x:y" + textWith(u"|", 40000), u"|", u":", u""},
    {"between", textWith(u"|ab|", 32767), u"|", u"|", u""},
    {"between", textWith(u"|a|", 32765), u"|", u"|", u"a"},  // second at 32,767
};

TEST(Stringbas, Examples) {
  for (const Example& e : kExamples) {
    SCOPED_TRACE(::testing::Message() << e.routine << " #" << (&e - kExamples));
    const std::u16string found = e.routine == "before"sv  ? Stringbas::StrBefore(e.text, e.first)
                                 : e.routine == "after"sv ? Stringbas::StrAfter(e.text, e.first)
                                                          : Stringbas::StrBetween(e.text, e.first, e.second);
    EXPECT_EQ(found, e.expected);
  }
}

}  // namespace
}  // namespace tollivor
