// GrainSizeFormula on any three float bit patterns: a finite size or an
// ArithmeticError of one of its three kinds, nothing else. Where the answer
// is plain (finite inputs), a naive evaluation with std::cos says which.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <limits>

#include "calc/grain_size_formula.h"

namespace {

constexpr double kMax = std::numeric_limits<double>::max();

[[noreturn]] void fail(float beta, float twoTheta, float lambda, const char* what) {
  std::fprintf(stderr, "GrainSizeFormula(%a, %a, %a): %s\n", beta, twoTheta, lambda, what);
  std::abort();
}

// K·λ·180 / (β·π·cos θ) with π the single-precision constant. θ is rounded
// to double as the formula rounds it (for a large angle that decides cos θ);
// the rest in long double, so that only the quotient can leave the range.
long double naive(float beta, float twoTheta, float lambda) {
  const double pi = 3.14159250259399414062;
  const long double c = std::cos(static_cast<double>(twoTheta) * pi / 360);
  return static_cast<long double>(lambda) * 0.89L * 180 / (beta * static_cast<long double>(pi) * c);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  float in[3] = {0, 0, 0};
  std::memcpy(in, data, size < sizeof in ? size : sizeof in);
  const float beta = in[0], twoTheta = in[1], lambda = in[2];

  const bool finiteInputs = std::isfinite(beta) && std::isfinite(twoTheta) && std::isfinite(lambda);
  const bool anyNan = std::isnan(beta) || std::isnan(twoTheta) || std::isnan(lambda);
  const long double expected = finiteInputs && beta != 0 ? naive(beta, twoTheta, lambda) : 0;

  try {
    const double size = calc::GrainSizeFormula(beta, twoTheta, lambda);
    if (!std::isfinite(size)) fail(beta, twoTheta, lambda, "non-finite result");
    if (anyNan) fail(beta, twoTheta, lambda, "a NaN input gave a number");
    if (finiteInputs && beta == 0) fail(beta, twoTheta, lambda, "zero FWHM gave a number");
    if (finiteInputs && std::fabs(expected) > 2 * static_cast<long double>(kMax))
      fail(beta, twoTheta, lambda, "overflowing quotient gave a number");
    // The two cosines agree to an ulp or two; the rest is a few roundings.
    if (finiteInputs && std::fabs(expected) >= 0x1p-1000L &&
        std::fabs(size - expected) > 1e-13L * std::fabs(expected))
      fail(beta, twoTheta, lambda, "far from the naive value");
  } catch (const calc::ArithmeticError& e) {
    using Kind = calc::ArithmeticError::Kind;
    const Kind k = e.kind();
    if (k != Kind::DivisionByZero && k != Kind::Overflow && k != Kind::InvalidOperation)
      fail(beta, twoTheta, lambda, "unknown error kind");
    if (finiteInputs && beta != 0 && std::fabs(expected) < kMax / 2)
      fail(beta, twoTheta, lambda, "error for an ordinary finite result");
    if (finiteInputs && beta == 0 &&
        k != (lambda == 0 ? Kind::InvalidOperation : Kind::DivisionByZero))
      fail(beta, twoTheta, lambda, "zero FWHM: wrong error kind");
  } catch (const std::exception& e) {
    fail(beta, twoTheta, lambda, e.what());
  } catch (...) {
    fail(beta, twoTheta, lambda, "unknown exception");
  }
  return 0;
}
