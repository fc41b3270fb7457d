// Checks the field routines and GetParentFolder against a plain model built
// on std::u16string::find over case-folded copies.
//
// Input: a control byte, then up to three strings separated by 0xFF. Bytes
// map onto a small alphabet rich in separators and cased letters so that
// matches are common. Every 1000th input also has its text padded to just
// below 32,767 characters to reach the 16-bit position limit; a counter
// rather than an input bit keeps the fuzzer from making most inputs long.
#include <cstdint>
#include <string>

#include "check.h"
#include "shared/Mshared.h"
#include "shared/Stringbas.h"

namespace {

constexpr std::size_t kLastPosition = 32767;

const char16_t kAlphabet[] = {u'|', u':', u'\\', u'a', u'A', u'b', u'B', u'x',
                              u'X', u' ', u'\0', 0xC9 /* É */, 0xE9 /* é */,
                              0xD7 /* × */, 0xF7 /* ÷ */, u'[', u'{', u'@', u'`'};

std::u16string model_fold(std::u16string s) {
  for (auto& c : s) {
    const bool asciiUpper = c >= u'A' && c <= u'Z';
    const bool latinUpper = c >= 0xC0 && c <= 0xDE && c != 0xD7;
    if (asciiUpper || latinUpper) c = static_cast<char16_t>(c | 0x20);
  }
  return s;
}

// 1-based position of `s` in `t` from `start`, 0 if absent; positions beyond
// the 16-bit limit count as absent.
std::size_t model_pos(const std::u16string& t, const std::u16string& s, std::size_t start) {
  if (t.empty() || start > t.size()) return 0;
  std::size_t p = start;
  if (!s.empty()) {
    const auto at = model_fold(t).find(model_fold(s), start - 1);
    p = at == std::u16string::npos ? 0 : at + 1;
  }
  return p > kLastPosition ? 0 : p;
}

std::u16string model_before(const std::u16string& t, const std::u16string& s) {
  const auto p = model_pos(t, s, 1);
  return p ? t.substr(0, p - 1) : u"";
}

std::u16string model_after(const std::u16string& t, const std::u16string& s) {
  const auto p = model_pos(t, s, 1);
  return p ? t.substr(p - 1 + s.size()) : u"";
}

std::u16string model_between(const std::u16string& t, const std::u16string& a,
                             const std::u16string& b) {
  const auto p1 = model_pos(t, a, 1);
  const auto p2 = model_pos(t, b, p1 + 1);
  if (!p1 || !p2) return u"";
  const auto begin = p1 - 1 + a.size();
  const auto end = p2 - 1;
  return end < begin ? u"" : t.substr(begin, end - begin);
}

std::u16string model_parent(const std::u16string& path) {
  const auto at = path.substr(0, kLastPosition).rfind(u'\\');
  if (at == std::u16string::npos) return u"";
  return at == 2 ? path.substr(0, 3) : path.substr(0, at);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t control = data[0];
  std::u16string parts[3];
  int part = 0;
  for (std::size_t i = 1; i < size; ++i) {
    if (data[i] == 0xFF) {
      if (++part == 3) break;
      continue;
    }
    parts[part] += letter(kAlphabet, data[i]);
  }
  std::u16string& text = parts[0];
  static unsigned runs = 0;
  if (++runs % 1000 == 0) text.insert(0, kLastPosition - 8 + control % 8, u'z');

  using namespace tollivor;
  const auto& a = parts[1];
  const auto& b = parts[2];
  expect(Stringbas::StrBefore(text, a) == model_before(text, a), "StrBefore");
  expect(Stringbas::StrAfter(text, a) == model_after(text, a), "StrAfter");
  expect(Stringbas::StrBetween(text, a, b) == model_between(text, a, b), "StrBetween");
  expect(Mshared::GetParentFolder(text) == model_parent(text), "GetParentFolder");
  return 0;
}
