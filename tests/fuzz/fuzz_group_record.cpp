// Hands arbitrary group records to CGroup on the in-memory platform and
// checks the dialog against a plain model: a record is one that starts
// "group|" in any letter case; the name lies between the first "|" and the
// first "|:" after it, the icon path after the first "|:" (separators
// beyond character 32,767 count as absent); the path is kept only when it
// names an existing file. OK then gives back the record the dialog holds,
// or refuses it with a message; no icon is left unreleased.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "forms/FormInstance.h"
#include "forms/headless/HeadlessPlatform.h"
#include "group/CGroup.h"
#include "group/frmGroup.h"

namespace {

constexpr std::size_t kLastPosition = 32767;
const std::u16string kIcon = u"C:\\icons\\tools.ico";

const char16_t kAlphabet[] = {u'|', u':', u'g', u'G', u'r', u'R', u'o', u'u', u'p', u'P',
                              u' ', u'.', u'i', u'c', u'\\', u'\0', 0x416 /* Ж */, 0xD800};

void expect(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "model disagrees: %s\n", what);
  std::abort();
}

std::size_t find(const std::u16string& text, const std::u16string& what, std::size_t from) {
  const auto at = text.find(what, from);
  return at == std::u16string::npos || at + 1 > kLastPosition ? std::u16string::npos : at;
}

bool startsAsRecord(const std::u16string& info) {
  if (info.size() < 6) return false;
  for (std::size_t i = 0; i < 6; ++i) {
    char16_t c = info[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    if (c != u"group|"[i]) return false;
  }
  return true;
}

bool blank(const std::u16string& s) { return s.find_first_not_of(u' ') == std::u16string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tollivor;
  static forms::headless::HeadlessPlatform* system = [] {
    auto* p = new forms::headless::HeadlessPlatform;
    p->files[kIcon] = 32;
    p->files[u"C:\\icons"] = forms::kAttrDirectory;
    forms::setPlatform(p);
    return p;
  }();

  std::u16string info;
  for (std::size_t i = 0; i < size; ++i)
    info += data[i] < 6 ? (data[i] < 3 ? u"group|" : kIcon)
                        : std::u16string(1, kAlphabet[data[i] % (sizeof kAlphabet / 2)]);
  static unsigned runs = 0;
  if (++runs % 500 == 0) info.insert(std::min<std::size_t>(6, info.size()), kLastPosition - 10 + size % 8, u'n');

  {
    CGroup group;
    auto& form = forms::FormInstance<frmGroup>::get();
    form.txtGroupName.setText(u"before");
    group.ItemInfo(info);

    std::u16string name = u"before", path;
    if (startsAsRecord(info)) {
      const auto bar = find(info, u"|", 0);
      const auto end = bar == std::u16string::npos ? bar : find(info, u"|:", bar + 1);
      name = end == std::u16string::npos ? u"" : info.substr(bar + 1, end - bar - 1);
      const auto colon = find(info, u"|:", 0);
      path = colon == std::u16string::npos ? u"" : info.substr(colon + 2);
      if (path != kIcon) path.clear();  // the only file that exists
    }
    expect(form.txtGroupName.text() == name, "name");
    expect(form.lblIconPath.caption() == path, "icon path");

    const bool acceptable = name.find(u'|') == std::u16string::npos && !blank(name) &&
                            (path.empty() || path.ends_with(u".ico"));
    const auto boxes = system->messageBoxes.size();
    system->onNextShow([](forms::headless::ScriptedUser& user) {
      user.pressEnter();
      user.closeWindow();  // after a refusal
    });
    group.Show();
    const auto record = group.ItemInfo();
    if (acceptable) {
      expect(record == u"group|" + name + u"|:" + path, "record after OK");
    } else {
      expect(record.empty(), "refused record");
      expect(system->messageBoxes.size() == boxes + 1, "one message");
    }
  }
  expect(system->liveIcons.empty(), "every icon released");
  return 0;
}
