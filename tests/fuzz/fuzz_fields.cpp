// Checks the field routines and GetParentFolder against a plain model built
// on std::u16string::find over case-folded copies. Input: a control byte,
// then up to three strings separated by 0xFF, over an alphabet rich in
// separators and cased letters. Every 1000th input is padded to just below
// 32,767 characters to reach the 16-bit position limit (a counter, not an
// input bit, so that most inputs stay short).
#include <cstdint>
#include <string>

#include "check.h"
#include "shared/Mshared.h"
#include "shared/Stringbas.h"

namespace {

using Text = std::u16string;
constexpr std::size_t kLastPosition = 32767;
const char16_t kAlphabet[] = {u'|', u':', u'\\', u'a', u'A', u'b', u'B', u'x', u'X', u' ', u'\0', 0xC9 /* É */,
                              0xE9 /* é */, 0xD7 /* × */, 0xF7 /* ÷ */, u'[', u'{', u'@', u'`'};

Text fold(Text s) {
  for (auto& c : s)
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c |= 0x20;
  return s;
}

// 1-based position of `s` in `t` from `start`, 0 if absent or past the 16-bit limit.
std::size_t pos(const Text& t, const Text& s, std::size_t start) {
  if (t.empty() || start > t.size()) return 0;
  const auto at = s.empty() ? start - 1 : fold(t).find(fold(s), start - 1);
  return at == Text::npos || at + 1 > kLastPosition ? 0 : at + 1;
}

Text between(const Text& t, const Text& a, const Text& b) {
  const auto p1 = pos(t, a, 1), p2 = pos(t, b, p1 + 1);
  if (!p1 || !p2 || p2 - 1 < p1 - 1 + a.size()) return u"";
  return t.substr(p1 - 1 + a.size(), p2 - p1 - a.size());
}

Text parent(const Text& path) {
  const auto at = path.substr(0, kLastPosition).rfind(u'\\');
  return at == Text::npos ? u"" : path.substr(0, at == 2 ? 3 : at);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  Text parts[3];
  for (std::size_t i = 1, part = 0; i < size && part < 3; ++i)
    data[i] == 0xFF ? void(++part) : void(parts[part] += letter(kAlphabet, data[i]));
  auto& [text, a, b] = parts;
  static unsigned runs = 0;
  if (++runs % 1000 == 0) text.insert(0, kLastPosition - 8 + data[0] % 8, u'z');

  using namespace tollivor;
  const auto p = pos(text, a, 1);
  expect(Stringbas::StrBefore(text, a) == (p ? text.substr(0, p - 1) : u""), "StrBefore");
  expect(Stringbas::StrAfter(text, a) == (p ? text.substr(p - 1 + a.size()) : u""), "StrAfter");
  expect(Stringbas::StrBetween(text, a, b) == between(text, a, b), "StrBetween");
  expect(Mshared::GetParentFolder(text) == parent(text), "GetParentFolder");
  return 0;
}
