// The sample bar's portable core: its entries file and how it reads the settings store.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "host/core/BarSettings.h"
#include "host/core/Entries.h"

namespace tollivor::host {
namespace {

using Records = std::vector<Record>;

TEST(HostEntries, LinesBecomeEntriesOrAreReportedDamagedAndWritingReadsBack) {
  const struct { std::string text; Records records; std::vector<int> damaged; } cases[] = {
      {"C:\\a.exe|A\r\n\n  \r\ngroup|Tools|:C:\\t.ico", {u"C:\\a.exe|A", u"group|Tools|:C:\\t.ico"}, {}},
      {"a|b\njust text\n|tip\nx|", {u"a|b", u"x|"}, {2, 3}},  // no separator; empty target
      {"group|Tools\ngroup|  |:\nGROUP|T|:\n", {u"GROUP|T|:"}, {1, 2}},  // no icon separator; blank name
      {"a|\xC3\n\xE2\x82\xAC|euro\n\xED\xA0\x80|x\n\xC0\xAF|x\n", {u"\u20AC|euro"}, {1, 3, 4}},  // bad UTF-8
      {"\xEF\xBB\xBFx|y|z", {u"x|y|z"}, {}}};  // byte order mark
  for (const auto& c : cases)
    EXPECT_EQ(std::pair(ParseEntries(c.text).records, ParseEntries(c.text).damagedLines),
              std::pair(c.records, c.damaged)) << (&c - cases);
  const Records records = {u"C:\\\u00C9dit\\e.exe|\u00C9diteur|x", u"group| s |:C:\\i\u4E2D.ico", u"\U0001F600|"};
  const std::string text = FormatEntries(records);
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
  EXPECT_EQ(ParseEntries(text).records, records);
  EXPECT_TRUE(ParseEntries(text).damagedLines.empty());
  const Records defaults = DefaultEntries();
  EXPECT_TRUE(std::all_of(defaults.begin(), defaults.end(), IsUsableRecord));
  EXPECT_EQ(std::tuple(ItemTarget(u"a|b|c"), ItemTooltip(u"a|b|c"), GroupName(u"group|T|:x|:"), GroupIconPath(u"group|T|:x|:")),
            std::tuple(u"a", u"b|c", u"T", u"x|:"));
}

TEST(HostSettings, ValuesAreReadAsTheEditorReadsThem) {
  const std::map<std::u16string, std::u16string> store = {{u"ShowTip", u"Yes"}, {u"Appearance", u"x"}};
  const BarSettings s = ReadBarSettings([&](std::u16string_view key) -> std::optional<std::u16string> {
    const auto found = store.find(std::u16string(key));
    return found == store.end() ? std::nullopt : std::optional(found->second);
  });
  EXPECT_FALSE(s.showTips) << "only \"yes\" is on";
  EXPECT_TRUE(s.buttonLook) << "anything but \"0\"";
  EXPECT_EQ(SystemColourNumber(-2147483628), 20);
  EXPECT_EQ(SystemColourNumber(255), std::nullopt);
}

}  // namespace
}  // namespace tollivor::host
