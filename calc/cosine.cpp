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

// Dekker's split: a = hi + lo, each half with at most 26 significant bits.
DD Split(double a) {
  constexpr double kSplit = 134217729.0;  // 2^27 + 1
  const double c = kSplit * a;
  const double hi = c - (c - a);
  return {hi, a - hi};
}

DD TwoProduct(double a, double b) {
  const DD as = Split(a), bs = Split(b);
  const double p = a * b;
  return {p, ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo};
}

// Relative error at most 7u^2 (Joldes et al.); the analysis below allows 16u^2.
DD Mul(DD x, DD y) {
  const DD c = TwoProduct(x.hi, y.hi);
  return FastTwoSum(c.hi, c.lo + (x.hi * y.lo + x.lo * y.hi));
}

DD Neg(DD x) { return {-x.hi, -x.lo}; }

double Pow2(int k) {  // 2^k for normal exponents
  return __builtin_bit_cast(double, static_cast<std::uint64_t>(1023 + k) << 52);
}

// An integer below 2^53 as a double, exactly, through 32-bit conversions:
// 32-bit x86 has no SSE2 conversion from 64-bit integers and would use x87.
double FromBits53(std::uint64_t v) {
  return static_cast<double>(static_cast<std::int32_t>(v >> 26)) * 0x1p26 +
         static_cast<double>(static_cast<std::int32_t>(v & 0x3FFFFFF));
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
  const auto bits = __builtin_bit_cast(std::uint64_t, ax);
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | std::uint64_t{1} << 52;
  const int e = static_cast<int>(bits >> 52) - 1075;  // ax = m·2^e, e >= -53
  const int first = e >= 2 ? (e - 2) / 32 : 0;
  const int s = e - 32 * first;  // -53..33

  // The 18 partial products summed column by column, lowest first, with
  // one running carry; the padding lets the bit reads below run past the top.
  const std::uint64_t m0 = m & 0xFFFFFFFF, m1 = m >> 32;
  std::uint32_t prod[kWindow + 5] = {};
  std::uint64_t carry = 0, due = 0, dueNext = 0;  // owed to columns j, j + 1
  for (int j = 0; j < kWindow + 2; ++j) {
    const std::uint64_t w = j < kWindow ? kTwoOverPi[first + kWindow - 1 - j] : 0;
    const std::uint64_t p0 = m0 * w, p1 = m1 * w;
    carry += (p0 & 0xFFFFFFFF) + due;
    due = dueNext + (p0 >> 32) + (p1 & 0xFFFFFFFF);
    dueNext = p1 >> 32;
    prod[j] = static_cast<std::uint32_t>(carry);
    carry >>= 32;
  }

  // x·2/π = prod·2^(s - 32·kWindow): the binary point is at bit `point`,
  // 255..341, so every bit read lies in prod or its padding.
  const unsigned point = static_cast<unsigned>(32 * kWindow - s);
  const auto bits64 = [&prod](unsigned pos) {
    const unsigned i = pos / 32, shift = pos % 32;
    const std::uint64_t low = prod[i] | std::uint64_t{prod[i + 1]} << 32;
    return shift == 0 ? low : (low >> shift) | std::uint64_t{prod[i + 2]} << (64 - shift);
  };
  unsigned quadrant = static_cast<unsigned>(bits64(point)) & 3u;
  std::uint64_t f0 = bits64(point - 64), f1 = bits64(point - 128), f2 = bits64(point - 192);

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
  const double hi = FromBits53(f0 >> 11) * Pow2(scale - 53);
  const double mid = FromBits53((f0 & 0x7FF) << 42 | f1 >> 22) * Pow2(scale - 106);
  const double lo = FromBits53((f1 & 0x3FFFFF) << 31 | f2 >> 33) * Pow2(scale - 159);
  const DD r = Mul(FastTwoSum(hi, mid + lo), kPiHalf);
  return {negative ? Neg(r) : r, quadrant & 3u};
}

// x + y for |x.hi| >= |y.hi| (or x == 0): about 2u^2 of the sum.
DD AddSmaller(DD x, DD y) {
  const DD s = FastTwoSum(x.hi, y.hi);
  return FastTwoSum(s.hi, s.lo + (x.lo + y.lo));
}

// x + y of any sizes: within about 3u^2 of |x| + |y|, not of the sum.
DD AddAny(DD x, DD y) {
  const DD s = TwoSum(x.hi, y.hi);
  return FastTwoSum(s.hi, s.lo + (x.lo + y.lo));
}

// c + w for a double w with |w| <= |c.hi|.
DD AddDouble(DD c, double w) {
  const DD s = FastTwoSum(c.hi, w);
  return {s.hi, s.lo + c.lo};
}

struct SmallSinCos {
  DD sin;
  DD cosMinusOne;
};

// sin b and cos b - 1 for |b| <= 2^-8 (a hair more). With z = b^2 <= 2^-16
// the terms from z^3 on need double precision only, and those left out
// (z^6 on) are below 2^-124 of the result.
SmallSinCos OfSmall(DD b) {
  const DD z = Mul(b, b);
  const double tc = kCosSeries[3].hi + z.hi * (kCosSeries[4].hi + z.hi * kCosSeries[5].hi);
  const DD mc = AddSmaller(kCosSeries[1], Mul(z, AddDouble(kCosSeries[2], z.hi * tc)));
  const double ts = kSinSeries[3].hi + z.hi * (kSinSeries[4].hi + z.hi * kSinSeries[5].hi);
  const DD ms = AddSmaller(kSinSeries[1], Mul(z, AddDouble(kSinSeries[2], z.hi * ts)));
  return {AddSmaller(b, Mul(b, Mul(z, ms))), Mul(z, mc)};
}

}  // namespace

// Relative error, first order, in units of u^2 = 2^-106, taking 16 for Mul
// (7 is proven for it) and 3 for the additions:
//   reduced argument r: fraction 1 + π/2 constant 0.3 + product 16 = 17.3,
//     which moves cos r by at most r·tan r <= 0.79 of it, sin r by at
//     most r·cot r <= 1 of it;
//   sin b and cos b - 1: 2 for the last addition of sin b; the rest of
//     them is below 2^-18 of what it enters and counts for nothing;
//   cos(a + b): table 0.5 + final addition 3 + the correction (at most
//     0.004 of the result) 0.1 = 3.6;
//   sin(a + b): table 1 + final addition 3 + the correction, which can be
//     as large as the result when a = 1/128: 16 + 2 + 0.5 + 3 = 21.5.
// So at most 17.3 + 25.5 < 43 u^2 < 2^-100.5 (with 7 for Mul, under 25).
DoubleDouble CosineUnrounded(double x) noexcept {
  constexpr double kPiQuarter = 0x1.921fb54442d18p-1;
  const double ax = x < 0 ? -x : x;
  const Reduced red = ax <= kPiQuarter ? Reduced{{ax, 0.0}, 0} : ReduceLarge(ax);
  const bool negative = red.r.hi < 0;  // cos is even, sin odd
  const DD r = negative ? Neg(red.r) : red.r;

  // r = a + b with a = j/128 from the table; r.hi - a is exact.
  const int j = static_cast<int>(r.hi * 128 + 0.5);
  const SmallSinCos small = OfSmall(TwoSum(r.hi - j * 0x1p-7, r.lo));
  const DD& cosA = kCosSinStep[j][0];
  const DD& sinA = kCosSinStep[j][1];
  if (red.quadrant % 2 == 0) {
    const DD v = AddAny(Mul(cosA, small.cosMinusOne), Neg(Mul(sinA, small.sin)));
    const DD c = AddSmaller(cosA, v);
    return red.quadrant == 0 ? c : Neg(c);
  }
  const DD v = AddAny(Mul(sinA, small.cosMinusOne), Mul(cosA, small.sin));
  const DD s = AddSmaller(sinA, v);
  return (red.quadrant == 3) != negative ? s : Neg(s);
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
