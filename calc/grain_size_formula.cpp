#include "calc/grain_size_formula.h"

#include <cmath>
#include <cstdint>

#include "calc/cosine.h"

namespace calc {
namespace {

const char* describe(ArithmeticError::Kind kind) {
  switch (kind) {
    case ArithmeticError::Kind::DivisionByZero:
      return "division by zero";
    case ArithmeticError::Kind::Overflow:
      return "overflow";
    case ArithmeticError::Kind::InvalidOperation:
      break;
  }
  return "invalid operation";
}

// The IEEE status flags of the formula's operations, derived from their
// operands. Hardware flags would do the same, but a compiler may fold, move
// or drop floating-point operations around fetestexcept(); values it cannot.
class Status {
 public:
  double widen(float f) {
    // Only a signalling NaN raises a flag when widened.
    const auto bits = __builtin_bit_cast(std::uint32_t, f);
    if (std::isnan(f) && (bits & 0x00400000u) == 0) invalid_ = true;
    return static_cast<double>(f);
  }

  double mul(double a, double b) {
    if ((std::isinf(a) && b == 0) || (a == 0 && std::isinf(b))) invalid_ = true;
    const double r = a * b;
    if (std::isinf(r) && std::isfinite(a) && std::isfinite(b)) overflow_ = true;
    return r;
  }

  double div(double a, double b) {
    if ((a == 0 && b == 0) || (std::isinf(a) && std::isinf(b))) invalid_ = true;
    if (b == 0 && a != 0 && std::isfinite(a)) divByZero_ = true;
    const double r = a / b;
    if (std::isinf(r) && std::isfinite(a) && std::isfinite(b) && b != 0) overflow_ = true;
    return r;
  }

  double cos(double x) {
    if (std::isinf(x)) invalid_ = true;
    return Cosine(x);
  }

  // Raises for any flag set since the formula started.
  void test() const {
    if (divByZero_) throw ArithmeticError(ArithmeticError::Kind::DivisionByZero);
    if (overflow_) throw ArithmeticError(ArithmeticError::Kind::Overflow);
    if (invalid_) throw ArithmeticError(ArithmeticError::Kind::InvalidOperation);
  }

 private:
  bool invalid_ = false, divByZero_ = false, overflow_ = false;
};

// One unit in the last place below the float nearest to π: the constant the
// worked results were computed with.
constexpr float kPi = __builtin_bit_cast(float, std::uint32_t{0x40490FDA});
constexpr float kHalfTurnSingle = 360.0f;
constexpr double kScherrer = 0.89;
constexpr double kHalfTurn = 180.0;

}  // namespace

ArithmeticError::ArithmeticError(Kind kind) : std::runtime_error(describe(kind)), kind_(kind) {}

double GrainSizeFormula(float beta, float twoTheta, float lambda) {
  Status s;
  const double theta = s.div(s.mul(s.widen(twoTheta), s.widen(kPi)), s.widen(kHalfTurnSingle));
  s.test();
  const double c = s.cos(theta);
  const double n = s.mul(s.mul(s.widen(lambda), kScherrer), kHalfTurn);
  double d = s.mul(s.widen(beta), s.widen(kPi));
  s.test();
  d = s.mul(d, c);
  const double size = s.div(n, d);
  s.test();
  // Quiet-NaN or infinite operands give a non-finite size without a flag;
  // showing "inf" or "nan" as a crystallite size would be a wrong answer.
  if (!std::isfinite(size)) throw ArithmeticError(ArithmeticError::Kind::Overflow);
  return size;
}

}  // namespace calc
