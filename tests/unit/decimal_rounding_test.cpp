// The hand-written decimal rounding against what it replaces: the nearest
// double by the C library's correctly rounded strtod, then rounding half to
// even. The hard cases are fractions within half a unit in the last place
// of one half, where the double conversion itself decides the result.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "shared/DecimalRounding.h"

namespace tollivor {
namespace {

std::optional<std::int32_t> Reference(const std::string& text) {
  const double value = std::nearbyint(std::strtod(text.c_str(), nullptr));
  if (!(value >= -2147483648.0 && value <= 2147483647.0)) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// Exact decimal digits of 2^-n after the point (n of them).
std::string PowerOfHalfDigits(int n) {
  std::string d(static_cast<size_t>(n), '0');
  d.back() = '1';
  for (int i = 0; i < n; ++i) {
    int carry = 0;
    for (size_t k = d.size(); k-- > 0;) {
      const int v = (d[k] - '0') * 5 + carry;
      d[k] = static_cast<char>('0' + v % 10);
      carry = v / 10;
    }
  }
  return d;
}

// The decimal digits of 0.5 + sign * 2^-n, then a tail: "" (exact), "1"
// (a little further out) or, below, the last digit lowered.
std::string HalfAndPower(int n, int sign) {
  const std::string power = PowerOfHalfDigits(n);
  std::string half(static_cast<size_t>(n), '0');
  half[0] = '5';
  int carry = 0;
  for (size_t k = half.size(); k-- > 0;) {
    int v = (half[k] - '0') + sign * (power[k] - '0') + carry;
    carry = 0;
    if (v < 0) v += 10, carry = -1;
    if (v > 9) v -= 10, carry = 1;
    half[k] = static_cast<char>('0' + v);
  }
  return half;
}

TEST(DecimalRounding, AgreesWithStrtodOnPlainCases) {
  const std::vector<std::string> cases = {
      "0", "-0", "+0", "0.0", "000123", "1", "-1", "0.5", "1.5", "2.5", "-0.5", "-1.5", "-2.5",
      "0.49999", "0.50001", "16711680", "16711680.5", "16711681.5", "2147483647",
      "2147483647.4", "2147483647.5", "2147483648", "-2147483648", "-2147483648.5",
      "-2147483648.6", "-2147483649", "99999999999", "1e3", "1E+3", "1.5e1", "25e-1", "35e-1",
      "5e-1", "15e-1", ".5", "5.", "0.000001", "1e-400", "0e999999999999", "1e999999999999",
      "-1e999999999999", "4294967295.5", "12345678901", "0.1e11", "0.0000000005e10",
      "1234567.49999999999999999999999", "1234567.50000000000000000000001",
      "3.4999999999999999999", "3.5000000000000000001", "2.5000000000000000001",
      "2.4999999999999999999", "0.50000000000000005", "0.49999999999999997",
      "0.499999999999999972244", "0.4999999999999999722444243843710864894092082977294921875",
  };
  for (const std::string& text : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(DecimalRounding::RoundToInt32(Wide(text)), Reference(text));
  }
}

// At, just inside and just outside the band around each k + 1/2 that
// converts to k + 1/2 itself, for odd and even k, small and large.
TEST(DecimalRounding, AgreesWithStrtodAtTheHalfwayBand) {
  const std::vector<long long> wholes = {0, 1, 2, 3, 4, 7, 8, 1023, 1024, 65535, 65536,
                                         16777215, 1073741824, 2147483646, 2147483647};
  for (const long long whole : wholes) {
    int exponent = -1;
    for (long long w = whole; w; w >>= 1) ++exponent;
    for (int n = 50 - exponent; n <= 58 - exponent; ++n) {
      for (const int sign : {-1, 1}) {
        const std::string edge = HalfAndPower(n, sign);
        std::string lowered = edge;
        size_t k = lowered.size();
        while (k-- > 0 && lowered[k] == '0') lowered[k] = '9';
        lowered[k] = static_cast<char>(lowered[k] - 1);
        for (const std::string& fraction : {edge, edge + "1", lowered}) {
          for (const char* prefix : {"", "-"}) {
            const std::string text = prefix + std::to_string(whole) + "." + fraction;
            SCOPED_TRACE(text);
            EXPECT_EQ(DecimalRounding::RoundToInt32(Wide(text)), Reference(text));
          }
        }
      }
    }
  }
}

TEST(DecimalRounding, RefusesWhatIsNotPlainDecimal) {
  for (const char* text : {"", "+", "-", ".", "e5", "1e", "1e+", "0x10", "1 ", "1.2.3", "inf"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(DecimalRounding::RoundToInt32(Wide(text)), std::nullopt);
  }
}

}  // namespace
}  // namespace tollivor
