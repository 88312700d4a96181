#include "calc/cosine.h"

#include <bit>
#include <cfloat>
#include <cstdint>

#include "calc/cosine_internal.h"

// Every operation below must be one IEEE double operation rounded to
// nearest: no x87 excess precision, no contraction into fma, no reordering.
#if defined(__FAST_MATH__)
#error "calc/cosine.cpp needs strict IEEE arithmetic"
#endif
static_assert(FLT_EVAL_METHOD == 0, "double operations must round to double");
#if defined(__clang__)
#pragma STDC FP_CONTRACT OFF
#endif

namespace calc {
namespace cosine_detail {
namespace {

using DD = DoubleDouble;

#include "calc/two_over_pi.inc"

// Error-free transformations (Knuth, Dekker) and the double-word operations
// of Joldes, Muller and Popescu, "Tight and rigorous error bounds for basic
// building blocks of double-word arithmetic" (2017); u = 2^-53.

DD TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

DD FastTwoSum(double a, double b) {  // |a| >= |b| or a == 0
  const double s = a + b;
  return {s, b - (s - a)};
}

DD TwoProduct(double a, double b) {
  constexpr double kSplit = 134217729.0;  // 2^27 + 1
  const double ca = kSplit * a, cb = kSplit * b;
  const double ah = ca - (ca - a), al = a - ah;
  const double bh = cb - (cb - b), bl = b - bh;
  const double p = a * b;
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

// Relative error at most 3u^2 + 13u^3, whatever the signs.
DD Add(DD x, DD y) {
  const DD s = TwoSum(x.hi, y.hi);
  const DD t = TwoSum(x.lo, y.lo);
  const DD v = FastTwoSum(s.hi, s.lo + t.hi);
  return FastTwoSum(v.hi, t.lo + v.lo);
}

// Relative error at most 7u^2 (the analysis below allows 16u^2).
DD Mul(DD x, DD y) {
  const DD c = TwoProduct(x.hi, y.hi);
  return FastTwoSum(c.hi, c.lo + (x.hi * y.lo + x.lo * y.hi));
}

DD Neg(DD x) { return {-x.hi, -x.lo}; }

double Pow2(int k) {  // 2^k for normal exponents
  return std::bit_cast<double>(static_cast<std::uint64_t>(1023 + k) << 52);
}

// Bits [pos, pos + 64) of the little-endian integer in limbs[0..n).
std::uint64_t Bits64(const std::uint32_t* limbs, int n, int pos) {
  const auto limb = [&](int i) -> std::uint64_t { return i >= 0 && i < n ? limbs[i] : 0; };
  const int index = pos >= 0 ? pos / 32 : -((31 - pos) / 32);
  const int shift = pos - 32 * index;
  const std::uint64_t low = limb(index) | limb(index + 1) << 32;
  if (shift == 0) return low;
  return (low >> shift) | (limb(index + 2) << (64 - shift));
}

struct Reduced {
  DD r;               // x - quadrant·π/2, |r| <= π/4 (a hair more at worst)
  unsigned quadrant;  // modulo 4
};

constexpr int kWindow = 9;  // limbs of 2/π multiplied per call

// Payne–Hanek: x·2/π from the integer product of x's 53-bit significand
// with a window of 2/π bits. The limbs before the window only add
// multiples of 4; the ones after it less than 2^-200. The 192 fraction bits
// kept hold at least 130 significant bits, since no double lies nearer
// than 2^-62 to a multiple of π/2.
Reduced ReduceLarge(double ax) {
  const auto bits = std::bit_cast<std::uint64_t>(ax);
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | std::uint64_t{1} << 52;
  const int e = static_cast<int>(bits >> 52) - 1075;  // ax = m·2^e, e >= -53
  const int first = e >= 2 ? (e - 2) / 32 : 0;
  const int s = e - 32 * first;  // -53..33

  std::uint32_t prod[kWindow + 2] = {};
  const std::uint32_t digits[2] = {static_cast<std::uint32_t>(m),
                                   static_cast<std::uint32_t>(m >> 32)};
  for (int i = 0; i < 2; ++i) {
    std::uint64_t carry = 0;
    for (int j = 0; j < kWindow; ++j) {
      const std::uint64_t t =
          std::uint64_t{digits[i]} * kTwoOverPi[first + kWindow - 1 - j] + prod[i + j] + carry;
      prod[i + j] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    prod[i + kWindow] = static_cast<std::uint32_t>(carry);
  }

  // x·2/π = prod·2^(s - 32·kWindow): the binary point is at bit `point`.
  const int point = 32 * kWindow - s;
  unsigned quadrant = static_cast<unsigned>(Bits64(prod, kWindow + 2, point)) & 3u;
  std::uint64_t f0 = Bits64(prod, kWindow + 2, point - 64);
  std::uint64_t f1 = Bits64(prod, kWindow + 2, point - 128);
  std::uint64_t f2 = Bits64(prod, kWindow + 2, point - 192);

  // A fraction of one half or more belongs to the next quadrant.
  const bool negative = (f0 >> 63) != 0;
  if (negative) {
    ++quadrant;
    f0 = ~f0, f1 = ~f1, f2 = ~f2 + 1;
    if (f2 == 0 && ++f1 == 0) ++f0;
  }

  // Normalise so that f0's top bit is set; the fraction is then
  // (f0 + f1·2^-64 + f2·2^-128)·2^(scale - 64).
  int scale = 0;
  for (int i = 0; i < 2 && f0 == 0; ++i) f0 = f1, f1 = f2, f2 = 0, scale -= 64;
  if (f0 == 0) return {{0.0, 0.0}, quadrant & 3u};
  if (const int lz = std::countl_zero(f0); lz != 0) {
    f0 = f0 << lz | f1 >> (64 - lz);
    f1 = f1 << lz | f2 >> (64 - lz);
    f2 <<= lz;
    scale -= lz;
  }
  const double hi = static_cast<double>(f0 >> 11) * Pow2(scale - 53);
  const double mid = static_cast<double>((f0 & 0x7FF) << 42 | f1 >> 22) * Pow2(scale - 106);
  const double lo = static_cast<double>((f1 & 0x3FFFFF) << 31 | f2 >> 33) * Pow2(scale - 159);
  const DD r = Mul(FastTwoSum(hi, mid + lo), kPiHalf);
  return {negative ? Neg(r) : r, quadrant & 3u};
}

// Σ series[k]·z^k: the terms below 2^-59 in double, the rest in
// double-double. On |r| <= π/4 the terms left out are below 2^-112.
DD Series(const DD (&series)[15], DD z) {
  double tail = series[14].hi;
  for (int k = 13; k >= 9; --k) tail = series[k].hi + z.hi * tail;
  DD p = {tail, 0.0};
  for (int k = 8; k >= 0; --k) p = Add(series[k], Mul(z, p));
  return p;
}

}  // namespace

// Error, relative, in units of u^2 = 2^-106, taking 16 for Mul and 3 for
// Add (first order; |r| <= π/4, so z <= 0.62, cos r >= 0.7):
//   reduced argument: fraction 1 + π/2 constant 0.3 + product 16 = 17.3,
//     which moves cos r by at most r·tan r <= 0.79 of it, sin r by at
//     most 1 of it;
//   cos series: z 16·0.39 + last step 16·0.42 + 3 + earlier steps 1 = 17;
//   sin series: z 16·0.06 + last step 16·0.12 + 3 + earlier 0.3 + the
//     final product 16 = 22.
// So at most 17.3 + 22 < 40 u^2 < 2^-100.6 (with 7 for Mul, under 20 u^2).
DoubleDouble CosineUnrounded(double x) noexcept {
  constexpr double kPiQuarter = 0x1.921fb54442d18p-1;
  const double ax = x < 0 ? -x : x;
  const Reduced red = ax <= kPiQuarter ? Reduced{{ax, 0.0}, 0} : ReduceLarge(ax);
  const DD z = Mul(red.r, red.r);
  if (red.quadrant % 2 == 0) {
    const DD c = Series(kCosSeries, z);
    return red.quadrant == 0 ? c : Neg(c);
  }
  const DD s = Mul(red.r, Series(kSinSeries, z));
  return red.quadrant == 3 ? s : Neg(s);
}

}  // namespace cosine_detail

double Cosine(double x) noexcept {
  const double ax = x < 0 ? -x : x;
  if (!(ax <= DBL_MAX)) return x - x;  // NaN stays NaN, ±inf gives NaN
  // cos x lies in (1 - 2^-55, 1]: nearer to 1 than to the double below it.
  if (ax < 0x1p-27) return 1.0;
  const cosine_detail::DoubleDouble c = cosine_detail::CosineUnrounded(x);
  return c.hi + c.lo;
}

}  // namespace calc
