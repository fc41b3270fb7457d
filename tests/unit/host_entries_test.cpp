// The bar's entries file: which lines become entries, which are reported as
// damaged, and that what the bar writes reads back the same.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/Entries.h"

namespace tollivor::host {
namespace {

using Records = std::vector<Record>;

TEST(HostEntries, LinesBecomeEntriesOrAreReportedDamaged) {
  struct Case {
    const char* name;
    std::string text;
    Records records;
    std::vector<int> damaged;
  };
  const Case cases[] = {
      {"empty file", "", {}, {}},
      {"item and group, CRLF", "C:\\a.exe|A\r\ngroup|Tools|:C:\\t.ico\r\n",
       {u"C:\\a.exe|A", u"group|Tools|:C:\\t.ico"}, {}},
      {"last line without an end", "My Computer|", {u"My Computer|"}, {}},
      {"blank lines are skipped quietly", "\n  \r\nx|y\n\n", {u"x|y"}, {}},
      {"no separator", "a|b\njust text\nc|d", {u"a|b", u"c|d"}, {2}},
      {"empty target", "|tip\nx|", {u"x|"}, {1}},
      {"group without icon separator", "group|Tools\n", {}, {1}},
      {"group with a blank name", "group|  |:\ngroup||:x.ico\n", {}, {1, 2}},
      {"group prefix in capitals", "GROUP|Tools|:\n", {u"GROUP|Tools|:"}, {}},
      {"tooltip keeps its own bars", "a|b|c\n", {u"a|b|c"}, {}},
      {"broken UTF-8", "a|\xC3\n\xE2\x82\xAC|euro\n\xED\xA0\x80|x\n", {u"\u20AC|euro"}, {1, 3}},
      {"overlong UTF-8", "\xC0\xAF|x\n", {}, {1}},
      {"byte order mark", "\xEF\xBB\xBFx|y\n", {u"x|y"}, {}},
      {"binary junk", std::string("\0\x01|\n", 4), {std::u16string(u"\0\x01|", 3)}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const EntryFile file = ParseEntries(c.text);
    EXPECT_EQ(file.records, c.records);
    EXPECT_EQ(file.damagedLines, c.damaged);
  }
}

TEST(HostEntries, WrittenFileReadsBackTheSame) {
  const Records records = {u"C:\\Program Files\\\u00C9dit\\e.exe|\u00C9diteur|x",
                           u"group| spaced |:C:\\i\u4E2D.ico", u"Recycle Bin|", u"\U0001F600|emoji"};
  const std::string text = FormatEntries(records);
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
  const EntryFile file = ParseEntries(text);
  EXPECT_EQ(file.records, records);
  EXPECT_TRUE(file.damagedLines.empty());
}

TEST(HostEntries, DefaultsAreUsableAndNameTheGroupIcon) {
  const Records records = DefaultEntries(u"C:\\t.ico");
  ASSERT_FALSE(records.empty());
  for (const auto& record : records) EXPECT_TRUE(IsUsableRecord(record)) << EncodeUtf8(record);
  EXPECT_EQ(GroupIconPath(records.back()), u"C:\\t.ico");
  EXPECT_EQ(ParseEntries(FormatEntries(records)).records, records);
}

TEST(HostEntries, FieldsOfItemAndGroupRecords) {
  EXPECT_EQ(ItemTarget(u"a|b|c"), u"a");
  EXPECT_EQ(ItemTooltip(u"a|b|c"), u"b|c");
  EXPECT_EQ(GroupName(u"group|Tools|:C:\\x|:y.ico"), u"Tools");
  EXPECT_EQ(GroupIconPath(u"group|Tools|:C:\\x|:y.ico"), u"C:\\x|:y.ico");
  EXPECT_TRUE(IsGroupRecord(u"Group|x|:"));
  EXPECT_FALSE(IsGroupRecord(u" group|x|:"));
  EXPECT_FALSE(IsGroupRecord(u"groups|x|:"));
}

}  // namespace
}  // namespace tollivor::host
