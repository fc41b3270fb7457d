#include "StoredColour.h"  // beside it, here and in the kit

#include <algorithm>
#include <cstdint>
#include <string>

namespace tollivor {

namespace {

bool IsBlank(char16_t c) noexcept { return c == u' ' || c == u'\t'; }
bool IsDigit(char16_t c) noexcept { return c >= u'0' && c <= u'9'; }

// Plain decimal notation only: sign, digits, an optional fraction and an
// optional exponent. Hexadecimal, "NaN" and "Inf" are not numbers here.
bool IsDecimalNumber(std::u16string_view text) noexcept {
  size_t i = 0;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
  size_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  if (i < text.size() && text[i] == u'.')
    for (++i; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
    size_t exponentDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == text.size();
}

// What reading a number in plain decimal notation as a double and rounding
// that half to even gives, worked out on the digits: the C library's
// conversion would add some 20 KB to the 32-bit library. The value is
// rounded half to even as it stands, except that one within half a double's
// step of n + 0.5 reads as exactly n + 0.5 first ("2.5000000000000000003"
// gives 2). nullopt: 10^10 or more, beyond every 32-bit integer.
std::optional<std::int64_t> RoundedDecimal(std::u16string_view text) {
  const bool negative = !text.empty() && text[0] == u'-';
  std::string digits;  // all the mantissa's digits, without the point
  std::int64_t point = 0;  // how many of them lie before the point
  size_t i = (!text.empty() && (text[0] == u'+' || text[0] == u'-')) ? 1 : 0;
  for (; i < text.size() && (IsDigit(text[i]) || text[i] == u'.'); ++i) {
    if (text[i] == u'.') point = -static_cast<std::int64_t>(digits.size()) - 1;
    else digits += static_cast<char>(text[i] - u'0');
  }
  point = point < 0 ? -point - 1 : static_cast<std::int64_t>(digits.size());
  if (i < text.size()) {  // the exponent, held within a range that cannot overflow
    const bool down = text[++i] == u'-';
    if (text[i] == u'+' || text[i] == u'-') ++i;
    std::int64_t exponent = 0;
    for (; i < text.size(); ++i)
      exponent = std::min<std::int64_t>(exponent * 10 + (text[i] - u'0'), 1000000);
    point += down ? -exponent : exponent;
  }
  const size_t first = digits.find_first_not_of('\0');
  if (first == std::string::npos) return 0;
  digits.erase(0, first);
  point -= static_cast<std::int64_t>(first);
  if (point > 10) return std::nullopt;
  std::uint64_t n = 0;  // the integer part
  for (size_t k = 0; k < static_cast<size_t>(std::max<std::int64_t>(point, 0)); ++k)
    n = n * 10 + (k < digits.size() ? digits[k] : 0);
  if (n >= 10000000000ull) return std::nullopt;
  // The fraction f, times 2^m: a whole part and whether anything is left.
  // A fraction that starts beyond 60 zeros counts as the smallest one.
  std::string fraction =
      point >= 0 ? digits.substr(std::min<size_t>(static_cast<size_t>(point), digits.size()))
                 : std::string(static_cast<size_t>(std::min<std::int64_t>(-point, 61)), '\0') + digits;
  int e = -1;  // the binary exponent of n + 0.5
  while (e < 40 && (n >> (e + 1)) != 0) ++e;
  const int m = 56 - e;
  std::uint64_t whole = 0;
  for (int step = 0; step < m; ++step) {
    int carry = 0;
    for (size_t k = fraction.size(); k-- > 0;) {
      const int v = fraction[k] * 2 + carry;
      fraction[k] = static_cast<char>(v % 10);
      carry = v / 10;
    }
    whole = whole * 2 + static_cast<std::uint64_t>(carry);
  }
  const bool rest = fraction.find_first_not_of('\0') != std::string::npos;
  // A double's half step above n + 0.5 is 2^(e-53), below it the same,
  // but 2^-55 below 0.5, which starts a binade; scaled by 2^m: 8 and 4.
  const std::int64_t d = static_cast<std::int64_t>(whole) - (std::int64_t{1} << (m - 1));
  const std::int64_t above = 8, below = n == 0 ? 4 : 8;
  std::uint64_t rounded = n;
  if (d > above || (d == above && rest)) rounded = n + 1;
  else if (d >= -below) rounded = n + (n & 1);  // exactly n + 0.5 as a double: to even
  const auto value = static_cast<std::int64_t>(rounded);
  return negative ? -value : value;
}

}  // namespace

std::optional<std::int32_t> ColourFromText(std::u16string_view text) noexcept {
  try {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (!IsDecimalNumber(text)) return std::nullopt;
    const auto value = RoundedDecimal(text);
    if (!value || *value < INT32_MIN || *value > INT32_MAX) return std::nullopt;
    const auto colour = static_cast<std::int32_t>(*value);
    // The colours the forms platform takes: what it refuses the dialog never shows.
    if (!isValidColour(colour)) return std::nullopt;
    return colour;
  } catch (...) {
    return std::nullopt;
  }
}

std::u16string ColourText(std::int32_t colour) {
  const std::string digits = std::to_string(colour);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace tollivor
