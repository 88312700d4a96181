#pragma once

namespace calc {

// Cosine of a double in radians, the same bits on every compiler and
// platform: correctly rounded for |x| < 2^20, within one ulp beyond.
// Invalid for ±inf (returns NaN); NaN gives NaN.
double Cosine(double x) noexcept;

}  // namespace calc
