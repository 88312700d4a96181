#include "calc/decimal.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace calc::decimal {
namespace {

// A non-negative integer of any size: 32-bit limbs, lowest first, no zero
// limb on top.
class Big {
 public:
  explicit Big(std::uint64_t v = 0) {
    for (; v != 0; v >>= 32) limbs_.push_back(static_cast<std::uint32_t>(v));
  }
  bool isZero() const { return limbs_.empty(); }
  int bitLength() const {
    if (limbs_.empty()) return 0;
    int n = 32 * static_cast<int>(limbs_.size() - 1);
    for (std::uint32_t top = limbs_.back(); top != 0; top >>= 1) ++n;
    return n;
  }
  // this = this × m + a
  void mulAdd(std::uint32_t m, std::uint32_t a) {
    std::uint64_t carry = a;
    for (std::uint32_t& limb : limbs_) {
      carry += std::uint64_t{limb} * m;
      limb = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  }
  void mulPow5(int n) {
    limbs_.reserve(limbs_.size() + static_cast<std::size_t>(n / 13 + 1));
    for (; n >= 13; n -= 13) mulAdd(1220703125, 0);  // 5^13 < 2^32
    std::uint32_t rest = 1;
    while (n-- > 0) rest *= 5;
    mulAdd(rest, 0);
  }
  void shiftLeft(int bits) {
    if (isZero() || bits == 0) return;
    limbs_.insert(limbs_.begin(), static_cast<std::size_t>(bits / 32), 0);
    if (const int s = bits % 32; s != 0) {
      std::uint32_t carry = 0;
      for (std::uint32_t& limb : limbs_) {
        const std::uint32_t next = limb >> (32 - s);
        limb = limb << s | carry;
        carry = next;
      }
      if (carry != 0) limbs_.push_back(carry);
    }
  }
  // floor(this / 2^t), for t >= bitLength() - 64.
  std::uint64_t top(int t) const {
    std::uint64_t q = 0;
    for (std::size_t i = static_cast<std::size_t>(t / 32); i < limbs_.size(); ++i) {
      const int at = 32 * static_cast<int>(i) - t;  // where the limb's lowest bit goes
      q |= at >= 0 ? std::uint64_t{limbs_[i]} << at : limbs_[i] >> -at;
    }
    return q;
  }
  // floor(this / d) for a quotient below 2^64; this becomes the remainder.
  // Two quotient digits of 32 bits, each estimated from the leading bits
  // (at most 3 too low, as d's are rounded up) and then corrected.
  std::uint64_t divide(const Big& d) {
    std::uint64_t q = 0;
    for (const int digitShift : {32, 0}) {
      Big y = d;
      y.shiftLeft(digitShift);  // this < 2^32·y
      const int t = std::max(y.bitLength() - 32, 0);
      std::uint64_t digit = top(t) / (y.top(t) + (t > 0 ? 1 : 0));
      subtract(y, static_cast<std::uint32_t>(digit));
      for (; !(*this < y); ++digit) subtract(y);
      q = q << 32 | digit;
    }
    return q;
  }
  // this = this - b × m, for b × m <= this.
  void subtract(const Big& b, std::uint32_t m = 1) {
    std::uint64_t product = 0;  // b × m, 32 bits at a time
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      product += i < b.limbs_.size() ? std::uint64_t{b.limbs_[i]} * m : 0;
      borrow += std::int64_t{limbs_[i]} - static_cast<std::uint32_t>(product);
      product >>= 32;
      limbs_[i] = static_cast<std::uint32_t>(borrow);
      borrow = borrow < 0 ? -1 : 0;
    }
    trim();
  }
  friend bool operator<(const Big& a, const Big& b) {
    if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size();
    return std::lexicographical_compare(a.limbs_.rbegin(), a.limbs_.rend(), b.limbs_.rbegin(),
                                        b.limbs_.rend());
  }

 private:
  void trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }
  std::vector<std::uint32_t> limbs_;
};

// Powers of ten that a double holds exactly (5^22 < 2^53).
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

template <std::size_t n>
constexpr std::array<std::uint64_t, n> powers(std::uint64_t base) {
  std::array<std::uint64_t, n> p{1};
  for (std::size_t i = 1; i < n; ++i) p[i] = p[i - 1] * base;
  return p;
}
constexpr auto kPowersOfTen = powers<19>(10);  // all below 2^64
constexpr auto kPowersOfFive = powers<28>(5);  // all below 2^63

struct U128 {
  std::uint64_t high, low;
};

// a × b in full, from 32-bit halves: not every build has a 128-bit integer.
U128 multiply(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t a0 = a & 0xFFFFFFFF, a1 = a >> 32, b0 = b & 0xFFFFFFFF, b1 = b >> 32;
  const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0;
  const std::uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFF) + (p10 & 0xFFFFFFFF);
  return {a1 * b1 + (p01 >> 32) + (p10 >> 32) + (middle >> 32), middle << 32 | (p00 & 0xFFFFFFFF)};
}

constexpr std::uint64_t kInfinityBits = std::uint64_t{0x7FF} << 52;

// The double nearest to num / den × 2^e2 (den > 0), ties to even: the bits
// it keeps and the next one, by one division, then rounded once.
double nearest(Big num, Big den, int e2) {
  if (num.isZero()) return 0.0;
  // Scaled so that den <= num < 2·den: e2 is then the exponent of the
  // leading bit.
  const int shift = den.bitLength() - num.bitLength();
  (shift > 0 ? num : den).shiftLeft(shift > 0 ? shift : -shift);
  e2 -= shift;
  if (num < den) {
    num.shiftLeft(1);
    --e2;
  }
  if (e2 > 1023) return __builtin_bit_cast(double, kInfinityBits);
  if (e2 < -1075) return 0.0;  // below half the least subnormal

  // The last bit a double keeps at this magnitude: 2^-1074 for the
  // subnormals. q = the bits from 2^e2 down to it, then the rounding bit.
  const int last = std::max(e2, -1022) - 52;
  num.shiftLeft(e2 - last + 1);
  std::uint64_t q = num.divide(den);
  const bool half = (q & 1) != 0;
  q >>= 1;
  if (half && (!num.isZero() || (q & 1) != 0)) ++q;  // a carry may reach the exponent
  // q holds the implicit bit of a normal number, which adds one to the
  // biased exponent; a subnormal's biased exponent is 0.
  const std::uint64_t bits = (std::uint64_t(std::max(e2, -1022) + 1022) << 52) + q;
  return __builtin_bit_cast(double, std::min(bits, kInfinityBits));
}

Big integer(std::string_view digits, std::uint32_t radix) {
  Big n;
  for (const char c : digits)
    n.mulAdd(radix, static_cast<std::uint32_t>(c <= '9' ? c - '0' : c - 'a' + 10));
  return n;
}

// mantissa × 2^exponent to at least 17 significant digits, exactly; any
// non-zero digits below those stand as one more digit 1, which is all that
// rounding to 16 or fewer digits looks at.
Decimal exactDigits(std::uint64_t mantissa, int exponent) {
  // q = value × 10^s, with s making its integer part 17 or 18 digits long:
  // 10^16 <= q < 2·10^17, as 2^lead <= value < 2^(lead+1) and
  // floor(lead·log10 2) is (lead·78913) >> 18 for |lead| <= 1650.
  Big num(mantissa), den(1);
  const int lead = exponent + num.bitLength() - 1;
  const int s = 16 - ((lead * 78913) >> 18);
  // q = m·2^e·5^s·2^s
  (s >= 0 ? num : den).mulPow5(s >= 0 ? s : -s);
  (exponent + s >= 0 ? num : den).shiftLeft(exponent + s >= 0 ? exponent + s : -(exponent + s));
  std::string digits = std::to_string(num.divide(den));
  const bool rest = !num.isZero();
  if (rest) digits += '1';  // lies between the same two 18-digit numbers as q
  const std::size_t kept = digits.find_last_not_of('0') + 1;
  const int exponentOfFirst = static_cast<int>(digits.size()) - 1 - s - (rest ? 1 : 0);
  digits.resize(kept);
  return {digits, exponentOfFirst};
}

// The number rounded to at most `count` significant digits, ties to even.
Decimal round(Decimal number, std::size_t count) {
  std::string& d = number.digits;
  if (d.size() <= count) return number;
  const char next = d[count];
  const bool above = next > '5' || (next == '5' && d.size() > count + 1);  // no trailing zeros
  const bool up = above || (next == '5' && (d[count - 1] - '0') % 2 == 1);
  d.resize(count);
  if (up) {
    while (!d.empty() && d.back() == '9') d.pop_back();  // nines become trailing zeros
    if (d.empty()) {
      d.push_back('1');
      ++number.exponent;
    } else {
      ++d.back();
    }
  }
  d.erase(d.find_last_not_of('0') + 1);
  return number;
}

}  // namespace

double fromDecimal(std::string_view digits, int exponent) {
  // At most 15 digits make an integer below 2^53, which a double holds
  // exactly: one multiplication or division by an exact power of ten is
  // then rounded once, to the nearest, by the arithmetic itself.
  if (digits.size() <= 15 && exponent >= -22 && exponent <= 22) {
    std::int64_t n = 0;  // signed: i686 converts it to double without x87 arithmetic
    for (const char c : digits) n = n * 10 + (c - '0');
    const auto x = static_cast<double>(n);
    return exponent < 0 ? x / kExactPowersOfTen[-exponent] : x * kExactPowersOfTen[exponent];
  }
  Big num = integer(digits, 10), den(1);
  // × 10^e = × 5^e × 2^e
  (exponent >= 0 ? num : den).mulPow5(exponent >= 0 ? exponent : -exponent);
  return nearest(num, den, exponent);
}

double fromHex(std::string_view hexDigits, int exponent) {
  return nearest(integer(hexDigits, 16), Big(1), exponent);
}

Decimal toDecimal(std::uint64_t mantissa, int exponent, std::size_t count) {
  // q = m·2^e·10^s as exactDigits has it (10^16 <= q < 2·10^17), here in
  // 128 bits where that is exact: m·5^s < 2^116 for 0 <= s <= 27, which
  // covers about 10^-11 to 10^16. Elsewhere the big integers.
  const int lead = exponent + 63 - __builtin_clzll(mantissa);
  const int s = 16 - ((lead * 78913) >> 18);
  if (s < 0 || s > 27) return round(exactDigits(mantissa, exponent), count);
  const U128 n = multiply(mantissa, kPowersOfFive[static_cast<std::size_t>(s)]);
  // As q >= 2^53, q = n / 2^shift needs shift < 63; and q < 2^58 fits in n.low.
  const int shift = -(exponent + s);
  const std::uint64_t q = shift <= 0 ? n.low << -shift : n.high << (64 - shift) | n.low >> shift;
  const bool rest = shift > 0 && n.low << (64 - shift) != 0;

  const std::size_t length = q < kPowersOfTen[17] ? 17 : 18;
  const std::uint64_t unit = kPowersOfTen[length - count], half = unit / 2;
  std::uint64_t kept = q / unit;
  const std::uint64_t dropped = q % unit;
  if (dropped > half || (dropped == half && (rest || kept % 2 == 1))) ++kept;
  int exponentOfFirst = static_cast<int>(length) - 1 - s;
  if (kept == kPowersOfTen[count]) {  // rounded up to the next power of ten
    kept = 1;
    ++exponentOfFirst;
  }
  while (kept % 10 == 0) kept /= 10;
  char digits[20], *first = std::end(digits);
  for (; kept != 0; kept /= 10) *--first = static_cast<char>('0' + kept % 10);
  return {std::string(first, std::end(digits)), exponentOfFirst};
}

}  // namespace calc::decimal
