#pragma once
// Exact conversions between digit strings and doubles, by integer arithmetic
// only: the same digits on every compiler, library and processor. Internal
// to calc/ (NumberText is the public face).
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

// mantissa × 2^exponent (mantissa > 0, exponent >= -1100) to at least 17
// significant digits, exactly; any non-zero digits below those stand as one
// more digit 1, which is all that rounding to 16 or fewer digits looks at.
Decimal toDecimal(std::uint64_t mantissa, int exponent);

// The number rounded to at most `count` significant digits (1..16), ties to even.
Decimal round(Decimal number, std::size_t count);

}  // namespace calc::decimal
