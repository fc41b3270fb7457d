#include "shared/DecimalRounding.h"

#include <string>

namespace tollivor::DecimalRounding {

namespace {

bool IsDigit(char16_t c) noexcept { return c >= u'0' && c <= u'9'; }

// The fraction digits of 1/2 - 2^-n (below) or 1/2 + 2^-n (above), n of
// them: 2^-n is 5^n / 10^n, so both end after exactly n digits.
std::string HalfPlusMinusPower(int n, bool above) {
  std::string power(static_cast<size_t>(n), '0');  // 5^n, n digits, leading zeros
  power.back() = '1';
  for (int i = 0; i < n; ++i) {
    int carry = 0;
    for (size_t d = power.size(); d-- > 0;) {
      const int v = (power[d] - '0') * 5 + carry;
      power[d] = static_cast<char>('0' + v % 10);
      carry = v / 10;
    }
  }
  std::string half(static_cast<size_t>(n), '0');
  half[0] = '5';
  int carry = 0;
  for (size_t d = half.size(); d-- > 0;) {
    int v = (half[d] - '0') + (above ? (power[d] - '0') : -(power[d] - '0')) + carry;
    carry = 0;
    if (v < 0) v += 10, carry = -1;
    if (v > 9) v -= 10, carry = 1;
    half[d] = static_cast<char>('0' + v);
  }
  return half;
}

// Compares fraction digits as numbers 0.xxx: <0, 0 or >0.
int CompareFractions(const std::string& a, const std::string& b) {
  const size_t n = a.size() > b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const char x = i < a.size() ? a[i] : '0', y = i < b.size() ? b[i] : '0';
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

}  // namespace

std::optional<std::int32_t> RoundToInt32(std::u16string_view text) noexcept {
  try {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    // All significant digits, and how many of them come before the point.
    std::string digits;
    long long pointAt = 0;
    bool any = false;
    for (; i < text.size() && IsDigit(text[i]); ++i, any = true) {
      if (digits.empty() && text[i] == u'0') continue;
      digits += static_cast<char>(text[i]);
      ++pointAt;
    }
    if (i < text.size() && text[i] == u'.') {
      for (++i; i < text.size() && IsDigit(text[i]); ++i, any = true) {
        if (digits.empty() && text[i] == u'0') {
          --pointAt;
          continue;
        }
        digits += static_cast<char>(text[i]);
      }
    }
    if (!any) return std::nullopt;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
      ++i;
      bool negativeExponent = false;
      if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negativeExponent = text[i++] == u'-';
      long long exponent = 0;
      bool exponentDigits = false;
      for (; i < text.size() && IsDigit(text[i]); ++i, exponentDigits = true)
        if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i] - u'0');
      if (!exponentDigits) return std::nullopt;
      pointAt += negativeExponent ? -exponent : exponent;
    }
    if (i != text.size()) return std::nullopt;
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (digits.empty()) return 0;
    // Eleven digits before the point are past any 32-bit value whatever the
    // rounding; this also keeps the whole part within 64 bits.
    if (pointAt > 10) return std::nullopt;

    std::uint64_t whole = 0;
    for (long long d = 0; d < pointAt; ++d)
      whole = whole * 10 + (d < static_cast<long long>(digits.size()) ? digits[d] - '0' : 0);
    std::string fraction;
    if (pointAt >= 0) {
      if (static_cast<size_t>(pointAt) < digits.size()) fraction = digits.substr(pointAt);
    } else {
      fraction = std::string(static_cast<size_t>(-pointAt), '0') + digits;
    }

    // The nearest double to whole + 1/2 is that value itself, and a fraction
    // within half a unit in the last place of it converts to exactly one
    // half (ties go to it: its last bit is even). Below 0.5 the doubles are
    // twice as dense, but there both sides of the band round to zero.
    int exponentOfWhole = -1;
    for (std::uint64_t w = whole; w; w >>= 1) ++exponentOfWhole;
    const int halfUlp = 53 - exponentOfWhole;  // half a unit is 2^-halfUlp
    const std::string low = HalfPlusMinusPower(halfUlp, false);
    const std::string high = HalfPlusMinusPower(halfUlp, true);
    std::uint64_t rounded = whole;
    if (CompareFractions(fraction, low) >= 0 && CompareFractions(fraction, high) <= 0) {
      if (whole % 2 == 1) ++rounded;  // exactly one half: to even
    } else if (CompareFractions(fraction, "5") > 0) {
      ++rounded;
    }
    const std::uint64_t limit = negative ? 2147483648ull : 2147483647ull;
    if (rounded > limit) return std::nullopt;
    return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(rounded))
                    : static_cast<std::int32_t>(rounded);
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace tollivor::DecimalRounding
