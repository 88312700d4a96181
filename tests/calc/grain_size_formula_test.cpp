#include "calc/grain_size_formula.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "calc/number_text.h"

namespace calc {
namespace {

using Kind = ArithmeticError::Kind;
constexpr float kInfF = std::numeric_limits<float>::infinity();

float single(const char* text) { return static_cast<float>(NumberText::parse(text)); }

TEST(Formula, WorkedValuesGiveEveryDigit) {
  // β, 2θ, λ, the size
  const char* rows[][4] = {{"0.2", "30", "0.154056", "40.6646921851893"},
                           {"0.2", "0", "0.154056", "39.2790765322029"},
                           {"1", "60", "0.228970", "13.4821954151068"},
                           {"0.2", "180", "0.154056", "520267143.415719"},
                           {"0.2", "360", "0.154056", "-39.2790765322033"},
                           {"0.2", "30", "0", "0"},
                           {"-0.2", "30", "0.154056", "-40.6646921851893"}};
  for (const auto& [beta, twoTheta, lambda, size] : rows)
    EXPECT_EQ(NumberText::format(GrainSizeFormula(single(beta), single(twoTheta), single(lambda))),
              size)
        << beta << " " << twoTheta << " " << lambda;
}

struct Failure {
  float beta, twoTheta, lambda;
  Kind kind;
};
class FailureTest : public testing::TestWithParam<Failure> {};

TEST_P(FailureTest, RaisesTheArithmeticError) {
  const auto& f = GetParam();
  try {
    GrainSizeFormula(f.beta, f.twoTheta, f.lambda);
    ADD_FAILURE() << "no error";
  } catch (const ArithmeticError& e) {
    EXPECT_EQ(e.kind(), f.kind);
  }
}

const float kQuietNaN = std::numeric_limits<float>::quiet_NaN();
const float kSignallingNaN = std::bit_cast<float>(std::uint32_t{0x7f800001});
INSTANTIATE_TEST_SUITE_P(
    Kinds, FailureTest,
    testing::Values(Failure{0, 30, 0.154056f, Kind::DivisionByZero},
                    Failure{-0.0f, 30, 0.154056f, Kind::DivisionByZero},
                    Failure{0, 30, 0, Kind::InvalidOperation},               // 0 ÷ 0
                    Failure{0.2f, kInfF, 0.154056f, Kind::InvalidOperation},  // cos ∞
                    Failure{0.2f, -kInfF, 0.154056f, Kind::InvalidOperation},
                    Failure{0.2f, 30, kInfF, Kind::Overflow},  // ∞ size, no flag of its own
                    Failure{kInfF, 30, kInfF, Kind::InvalidOperation},  // ∞ ÷ ∞
                    Failure{0.2f, 30, kQuietNaN, Kind::Overflow},     // never shown as a size
                    Failure{kSignallingNaN, 30, 0.154056f, Kind::InvalidOperation},
                    Failure{0.2f, kSignallingNaN, 0.154056f, Kind::InvalidOperation}));

TEST(Formula, InfiniteWidthGivesZero) { EXPECT_EQ(GrainSizeFormula(kInfF, 30, 0.154056f), 0); }

TEST(Formula, TinyWidthIsNoOverflow) {
  const float tiny = std::numeric_limits<float>::denorm_min();
  EXPECT_TRUE(std::isfinite(GrainSizeFormula(tiny, 180, 3e38f)));
}

// The formula derives the status flags from the operands; the hardware
// computes the same flags for the same operations. Volatile keeps the
// compiler from folding or moving them. The cosine's own value does not
// matter to the flags (it is never 0 nor infinite), so 0.5 stands in.
struct Hardware {
  bool raised;
  double size;
};
Hardware hardware(float beta, float twoTheta, float lambda) {
  volatile float b = beta, t = twoTheta, l = lambda;
  volatile float pi = std::bit_cast<float>(std::uint32_t{0x40490FDA}), turn = 360;
  std::feclearexcept(FE_ALL_EXCEPT);
  volatile double theta =
      static_cast<double>(t) * static_cast<double>(pi) / static_cast<double>(turn);
  if (std::isinf(theta)) std::feraiseexcept(FE_INVALID);
  volatile double c = std::isinf(theta) || std::isnan(theta) ? NAN : 0.5;
  volatile double n = static_cast<double>(l) * 0.89 * 180.0;
  volatile double d = static_cast<double>(b) * static_cast<double>(pi) * c;
  volatile double q = n / d;
  return {std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0, q};
}

TEST(Formula, RaisesExactlyWhenTheHardwareWouldOrTheSizeIsNotFinite) {
  std::mt19937 rng(2026);
  const float specials[] = {0, -0.0f, kInfF, -kInfF, kQuietNaN, kSignallingNaN, 1e-45f, 3e38f, 1, 30};
  auto pick = [&] {
    if (rng() % 2) return specials[rng() % std::size(specials)];
    return std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
  };
  for (int i = 0; i < 20000; ++i) {
    const float b = pick(), t = pick(), l = pick();
    const Hardware h = hardware(b, t, l);
    bool raised = false;
    try {
      GrainSizeFormula(b, t, l);
    } catch (const ArithmeticError&) {
      raised = true;
    }
    EXPECT_EQ(raised, h.raised || !std::isfinite(h.size)) << b << ' ' << t << ' ' << l;
  }
}

}  // namespace
}  // namespace calc
