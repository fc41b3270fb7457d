// Arbitrary records to CProperty or CGroup (the first byte chooses), checked
// against plain models; no icon may be left unreleased or released twice.
// Separators past character 32,767 count as absent. Item: the target before
// the first "|", the tooltip after it; no "|" empties both, the empty record
// changes nothing, the host reads nothing before OK. Group: "group|" in any
// case, the name up to the first "|:" after it, the icon path after the
// first "|:" if that file exists; OK gives the record back or refuses it.
#include <algorithm>
#include <cstdint>
#include <string>

#include "check.h"
#include "forms/FormInstance.h"
#include "forms/headless/HeadlessPlatform.h"
#include "group/CGroup.h"
#include "group/frmGroup.h"
#include "item/CProperty.h"
#include "item/frmProperty.h"

namespace {

using namespace tollivor;
using Text = std::u16string;
constexpr std::size_t kLastPosition = 32767;
const Text kIcon = u"C:\\icons\\tools.ico", kEditor = u"C:\\Tools\\edit.exe";
const char16_t kItemLetters[] = {u'|', u'M', u'y', u' ', u'C', u'o', u'm', u'p', u'u', u't', u'e', u'r', u'\\',
                                 u':', u'\0', 0x416 /* Ж */, 0xD83D, 0xDE00};
const char16_t kGroupLetters[] = {u'|', u':', u'g', u'G', u'r', u'R', u'o', u'u', u'p', u'P', u' ', u'.', u'i',
                                  u'c', u'\\', u'\0', 0x416, 0xD800};

// Position of `what` from `from`, npos beyond the 16-bit limit.
std::size_t find(const Text& text, const Text& what, std::size_t from) {
  const auto at = text.find(what, from);
  return at == Text::npos || at + 1 > kLastPosition ? Text::npos : at;
}

void checkItem(const Text& record) {
  CProperty item;
  auto& form = forms::FormInstance<frmProperty>::get();
  expect(form.Text1.setText(u"before") && form.Text2.setText(u"tip") && item.ItemInfo(record), "write");
  const auto bar = find(record, u"|", 0);
  Text target = record.empty() ? u"before" : u"", tooltip = record.empty() ? u"tip" : u"";
  if (bar != Text::npos) target = record.substr(0, bar), tooltip = record.substr(bar + 1);
  expect(form.Text1.text() == target, "target");
  expect(form.Text2.text() == tooltip, "tooltip");
  expect(item.ItemInfo().empty(), "nothing to read before OK");
}

void checkGroup(forms::headless::HeadlessPlatform& system, const Text& info) {
  CGroup group;
  auto& form = forms::FormInstance<frmGroup>::get();
  form.txtGroupName.setText(u"before");
  group.ItemInfo(info);
  Text name = u"before", path, prefix = info.substr(0, 6);
  for (auto& c : prefix) c = c >= u'A' && c <= u'Z' ? c + 32 : c;
  if (prefix == u"group|") {
    const auto bar = find(info, u"|", 0), end = bar == Text::npos ? bar : find(info, u"|:", bar + 1);
    name = end == Text::npos ? u"" : info.substr(bar + 1, end - bar - 1);
    const auto colon = find(info, u"|:", 0);
    path = colon == Text::npos || info.substr(colon + 2) != kIcon ? u"" : kIcon;  // the only file there
  }
  expect(form.txtGroupName.text() == name, "name");
  expect(form.lblIconPath.caption() == path, "icon path");

  const bool acceptable = name.find(u'|') == Text::npos && name.find_first_not_of(u' ') != Text::npos;
  const auto boxes = system.messageBoxes.size();
  system.onNextShow([](forms::headless::ScriptedUser& user) { user.pressEnter(), user.closeWindow(); });
  group.Show();
  expect(group.ItemInfo() == (acceptable ? u"group|" + name + u"|:" + path : u""), "record after OK");
  expect(system.messageBoxes.size() == boxes + !acceptable, "one message for a refusal");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto* system = [] {
    auto* p = new forms::headless::HeadlessPlatform;
    p->files[kIcon] = p->files[kEditor] = 32;
    p->files[u"C:\\icons"] = p->files[u"C:\\Tools"] = forms::kAttrDirectory;
    forms::setPlatform(p);
    return p;
  }();
  if (size == 0) return 0;
  const bool item = data[0] & 1;
  Text record;
  for (std::size_t i = 1; i < size; ++i) {  // low bytes stand for whole words
    if (item) record += data[i] < 8 ? kEditor.substr(0, data[i] * 3) : Text(1, letter(kItemLetters, data[i]));
    else record += data[i] < 6 ? (data[i] < 3 ? u"group|" : kIcon) : Text(1, letter(kGroupLetters, data[i]));
  }
  static unsigned runs = 0;  // a counter, not an input bit: most inputs stay short
  if (++runs % 500 == 0)
    record.insert(item ? 0 : std::min<std::size_t>(6, record.size()), kLastPosition - 10 + size % 8, u'x');
  item ? checkItem(record) : checkGroup(*system, record);
  expect(system->liveIcons.empty(), "every icon released");
  expect(system->badIconReleases == 0, "no icon released twice");
  return 0;
}
