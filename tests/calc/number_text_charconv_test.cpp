// NumberText's own conversions against the C++ library's <charconv>, which
// they replace: the same double for every text, the same text for every
// double. Only where the library has the floating-point conversions.
#include <gtest/gtest.h>

#include <version>

#if !defined(__cpp_lib_to_chars)
TEST(NumberTextVsCharconv, NeedsTheLibrarysConversions) {
  GTEST_SKIP() << "SKIPPED: this C++ library has no floating-point std::from_chars/to_chars; "
                  "the native builds compare NumberText with them";
}
#else

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "calc/number_text.h"

namespace calc {
namespace {

using Int = std::int64_t;
using Rng = std::mt19937_64;
constexpr double kInfinity = std::numeric_limits<double>::infinity();
Int Uniform(Rng& rng, Int lo, Int hi) { return std::uniform_int_distribution(lo, hi)(rng); }

// Any positive finite double; one in four subnormal.
double AnyDouble(Rng& rng) {
  const std::uint64_t fraction = rng() >> 12;
  const Int biased = Uniform(rng, 0, 3) == 0 ? 0 : Uniform(rng, 1, 2046);
  return std::bit_cast<double>(std::uint64_t(biased) << 52 | fraction);
}

struct Text {  // digits × 10^exponent
  std::string digits;
  Int exponent;
};

// A number as std::to_chars writes it, "d.ddde±x", with `precision` digits after the point.
template <class Float>
Text Scientific(Float x, int precision) {
  char buf[1200];
  const auto end =
      std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, precision);
  const std::string s(buf, end.ptr);
  const std::size_t e = s.find('e'), last = s.find_last_not_of('0', e - 1);
  const std::size_t after = last > 1 ? last - 1 : 0;
  return {s.substr(0, 1) + s.substr(2, after), std::stoll(s.substr(e + 1)) - Int(after)};
}

// Exactly halfway between a double and the next one up: a long double holds it.
Text Halfway(Rng& rng) {
  const double x = AnyDouble(rng);
  return Scientific(x + (static_cast<long double>(std::nextafter(x, kInfinity)) - x) / 2, 1100);
}

// Random digits × 10^exponent: short, long, far beyond the double range;
// halfway between two doubles, just above and just below; 17 digits of a double.
std::vector<Text> Texts(Rng& rng) {
  const Int kRanges[][4] = {
      {1, 20, -345, 310}, {700, 900, -1150, -450}, {1, 2, -(Int{1} << 50), Int{1} << 50}};
  // Where one double operation decides (at most 15 digits, 10^-22..10^22) and just beyond.
  std::vector<Text> texts = {{"123456789012345", 22},  {"123456789012345", 23},  {"1", 23},
                             {"999999999999999", -22}, {"999999999999999", -23}, {"1", -23},
                             {"1234567890123456", 22}, {"9007199254740993", 0},  {"154056", -6}};
  for (const auto& [shortest, longest, lowest, highest] : kRanges) {
    for (int i = 0; i < 3000; ++i) {
      std::string digits(static_cast<std::size_t>(Uniform(rng, shortest, longest)), '0');
      for (char& c : digits) c = static_cast<char>('0' + Uniform(rng, 0, 9));
      digits[0] = static_cast<char>('1' + Uniform(rng, 0, 8));
      texts.push_back({digits, Uniform(rng, lowest, highest)});
    }
  }
  for (int i = 0; i < 3000; ++i) {
    Text half = Halfway(rng);
    texts.push_back(half);
    texts.push_back({half.digits + "000000001", half.exponent - 9});
    --half.digits.back();
    texts.push_back({half.digits + "99999", half.exponent - 5});
    texts.push_back(Scientific(AnyDouble(rng), 16));
  }
  return texts;
}

TEST(NumberTextVsCharconv, ParseGivesTheSameDouble) {
  if (std::numeric_limits<long double>::digits < 64)
    GTEST_SKIP() << "SKIPPED: long double too short";
  Rng rng(20240601);
  int failures = 0;
  for (const Text& t : Texts(rng)) {
    const std::string text = t.digits + "e" + std::to_string(t.exponent);
    double want = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), want);
    ASSERT_EQ(end, text.data() + text.size()) << text;
    if (ec == std::errc::result_out_of_range)  // beyond the largest double or below the least
      want = t.exponent + Int(t.digits.size()) > 0 ? kInfinity : 0.0;
    const double got = NumberText::parse(text);
    if (std::bit_cast<std::uint64_t>(got) != std::bit_cast<std::uint64_t>(want) && ++failures <= 5)
      ADD_FAILURE() << text << ": " << std::hexfloat << got << ", <charconv> " << want;
  }
  EXPECT_EQ(failures, 0);
}

// o / 2^j whose decimal expansion o·5^j / 10^j has 16 digits ending in 5: a tie at 15.
double FifteenDigitTie(Rng& rng) {
  const int j = static_cast<int>(Uniform(rng, 0, 22));
  Int pow5 = 1;
  for (int i = 0; i < j; ++i) pow5 *= 5;
  const Int lo = (Int{1000000000000000} + pow5 - 1) / pow5;
  const Int o = Uniform(rng, lo, std::min(Int{9999999999999999} / pow5, (Int{1} << 53) - 10) - 1);
  return std::ldexp(static_cast<double>(j == 0 ? o / 10 * 10 + 5 : o | 1), -j);
}

TEST(NumberTextVsCharconv, FormatGivesTheSameText) {
  int failures = 0;
  auto check = [&failures](double value) {
    char buf[40];
    std::string want(buf, std::to_chars(buf, buf + 40, value, std::chars_format::general, 15).ptr);
    for (char& c : want) c = c == 'e' ? 'E' : c == '.' ? ',' : c;
    if (const std::string got = NumberText::format(value, ','); got != want && ++failures <= 5)
      ADD_FAILURE() << std::hexfloat << value << ": " << got << ", <charconv> " << want;
  };
  // Where 128-bit arithmetic decides (2^-36 up to 2^57) and just beyond; ties at the 15th digit.
  for (const double x : {0x1p-36, 0x1.fffffffffffffp-37, 1e-11, 0x1.fffffffffffffp56, 0x1p57,
                         0x1p54, 1000000000000005.0, 1000000000000015.0, 9999999999999995.0,
                         999999999999999.5, 0.000123456789012345})
    check(x);
  Rng rng(20240602);
  for (int i = 0; i < 10000; ++i) {
    // Where the form changes, around 1E-05 and 1E+15.
    const auto nearPowerOfTen = std::bit_cast<std::uint64_t>(std::pow(10.0, Uniform(rng, -6, 16)));
    for (const double x : {AnyDouble(rng), FifteenDigitTie(rng),
                           std::bit_cast<double>(nearPowerOfTen + Uniform(rng, -3, 3)),
                           std::ldexp(double(rng() >> 11), -int(Uniform(rng, 40, 60)))})  // sizes
      check(rng() & 1 ? -x : x);
  }
  EXPECT_EQ(failures, 0);
  for (const double x : {kInfinity, -kInfinity, std::nan(""), -std::nan("")}) {
    char buf[8];
    EXPECT_EQ(NumberText::format(x), std::string(buf, std::to_chars(buf, buf + 8, x).ptr));
  }
}

}  // namespace
}  // namespace calc

#endif
