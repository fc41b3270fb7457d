// Hands arbitrary item records to CProperty on the in-memory platform and
// checks the dialog against a plain model: the text before the first "|"
// is the target, the rest the tooltip; no "|" (or one beyond character
// 32,767) empties both; the empty record changes nothing. Every icon the
// write draws is released, and the host reads back nothing until OK.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "forms/FormInstance.h"
#include "forms/headless/HeadlessPlatform.h"
#include "item/CProperty.h"
#include "item/frmProperty.h"

namespace {

constexpr std::size_t kLastPosition = 32767;

const char16_t kAlphabet[] = {u'|', u'M', u'y', u' ', u'C', u'o', u'm', u'p', u'u', u't',
                              u'e', u'r', u'\\', u':', u'\0', 0x416 /* Ж */, 0xD83D, 0xDE00};

void expect(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "model disagrees: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tollivor;
  static forms::headless::HeadlessPlatform* system = [] {
    auto* p = new forms::headless::HeadlessPlatform;
    p->files[u"C:\\Tools"] = forms::kAttrDirectory;
    p->files[u"C:\\Tools\\edit.exe"] = 32;
    forms::setPlatform(p);
    return p;
  }();

  std::u16string record;
  for (std::size_t i = 0; i < size; ++i)
    record += data[i] < 8 ? std::u16string(u"C:\\Tools\\edit.exe").substr(0, data[i] * 3)
                          : std::u16string(1, kAlphabet[data[i] % (sizeof kAlphabet / 2)]);
  static unsigned runs = 0;
  if (++runs % 500 == 0) record.insert(0, kLastPosition - 4 + size % 8, u'x');

  {
    CProperty item;
    auto& form = forms::FormInstance<frmProperty>::get();
    form.Text1.setText(u"before");
    form.Text2.setText(u"tip");
    expect(item.ItemInfo(record), "the write reports no failure");
    const auto bar = record.find(u'|');
    std::u16string target = u"", tooltip = u"";
    if (record.empty()) {
      target = u"before", tooltip = u"tip";
    } else if (bar != std::u16string::npos && bar + 1 <= kLastPosition) {
      target = record.substr(0, bar);
      tooltip = record.substr(bar + 1);
    }
    expect(form.Text1.text() == target, "target");
    expect(form.Text2.text() == tooltip, "tooltip");
    expect(item.ItemInfo().empty(), "nothing to read before OK");
  }
  expect(system->liveIcons.empty(), "every icon released");
  expect(system->badIconReleases == 0, "no icon released twice");
  return 0;
}
