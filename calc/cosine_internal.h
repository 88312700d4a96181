#pragma once

// The cosine before its final rounding, for the tool that certifies it.

namespace calc::cosine_detail {

struct DoubleDouble {
  double hi;
  double lo;
};

// Relative error of CosineUnrounded against the exact cosine, from the
// error analysis in cosine.cpp (under 43·2^-106, rounded up).
inline constexpr double kErrorBound = 0x1p-100;

// cos(x) as hi + lo, for finite x. Cosine(x) is the double nearest hi + lo
// except for |x| < 2^-27, where it is exactly 1.
DoubleDouble CosineUnrounded(double x) noexcept;

}  // namespace calc::cosine_detail
