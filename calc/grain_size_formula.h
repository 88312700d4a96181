#pragma once
#include <stdexcept>

namespace calc {

// An IEEE exception (invalid operation, division by zero, overflow) raised
// inside the formula; underflow and inexact results never are.
class ArithmeticError : public std::runtime_error {
 public:
  enum class Kind { DivisionByZero, Overflow, InvalidOperation };
  explicit ArithmeticError(Kind kind);
  Kind kind() const noexcept { return kind_; }

 private:
  Kind kind_;
};

// Scherrer crystallite size D = K·λ / (β·cos θ) with β and 2θ in degrees.
// Evaluated in a fixed order with single-precision inputs and π, since
// that order decides the last of the 15 digits shown. Throws ArithmeticError.
double GrainSizeFormula(float beta, float twoTheta, float lambda);

}  // namespace calc
