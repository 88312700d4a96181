#pragma once
// Exact conversions between digit strings and doubles: integer arithmetic,
// or one IEEE double operation where its rounding is the answer. The same
// digits on every compiler, library and processor. Internal to calc/
// (NumberText is the public face).
#include <cstdint>
#include <string>
#include <string_view>

namespace calc::decimal {

// The double nearest to digits × 10^exponent, ties to even; subnormal when
// that small, 0 below half the least subnormal, +inf beyond the largest
// double. `digits`: '0'..'9', at most a few thousand, with
// |exponent| + digits.size() below 10^4.
double fromDecimal(std::string_view digits, int exponent);

// The same for hexadecimal digits ('0'..'9', 'a'..'f') × 2^exponent.
double fromHex(std::string_view hexDigits, int exponent);

// A decimal number d0.d1d2…dn × 10^exponent: the digits carry no leading
// or trailing zeros.
struct Decimal {
  std::string digits;
  int exponent;
};

// mantissa × 2^exponent (mantissa > 0, exponent >= -1100) rounded to at
// most `count` significant digits (1..16), ties to even.
Decimal toDecimal(std::uint64_t mantissa, int exponent, std::size_t count);

}  // namespace calc::decimal
