#include "calc/cosine.h"

#include <gtest/gtest.h>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>

// libquadmath's cosine, declared here because clang does not see GCC's
// quadmath.h.
extern "C" __float128 cosq(__float128) noexcept;

namespace {

// The correctly rounded cosine, from quad precision.
double Oracle(double x) { return static_cast<double>(cosq(static_cast<__float128>(x))); }

// The angle the program computes from a typed 2θ, with its float π.
double ThetaOf(float twoTheta) {
  const double pi = std::bit_cast<float>(std::uint32_t{0x40490FDA});
  return (static_cast<double>(twoTheta) * pi) / 360.0;
}

bool WithinOneUlp(double got, double want) {
  return got == want || got == std::nextafter(want, INFINITY) ||
         got == std::nextafter(want, -INFINITY);
}

// Counts disagreements and keeps the first few for the failure message.
struct Mismatches {
  long count = 0;
  std::string first;
  void Add(double x, double got, double want) {
    if (++count > 5) return;
    char line[128];
    std::snprintf(line, sizeof line, "\n  x=%a: got %a, want %a", x, got, want);
    first += line;
  }
  // Adds x where the cosine is not the correctly rounded one.
  void Check(double x) {
    if (const double got = calc::Cosine(x), want = Oracle(x); got != want) Add(x, got, want);
  }
};

TEST(Cosine, SpecialValues) {
  const double piQuarter = 0x1.921fb54442d18p-1;
  const double hardest = 0x1.6ac5b262ca1ffp+849;  // nearest double to a multiple of π/2
  for (const double x :
       {0.0, -0.0, 1e-300, DBL_TRUE_MIN, 0x1p-27, std::nextafter(0x1p-27, 0.0), 0x1p-26, piQuarter,
        std::nextafter(piQuarter, 0.0), std::nextafter(piQuarter, 1.0), std::numbers::pi / 2,
        std::numbers::pi, -std::numbers::pi, 1e22, 1e300, hardest, DBL_MAX, -DBL_MAX}) {
    EXPECT_EQ(calc::Cosine(x), Oracle(x)) << std::hexfloat << "x=" << x;
  }
  EXPECT_TRUE(std::isnan(calc::Cosine(INFINITY)));
  EXPECT_TRUE(std::isnan(calc::Cosine(-INFINITY)));
  EXPECT_TRUE(std::isnan(calc::Cosine(NAN)));
}

TEST(Cosine, KnownAngles) {
  EXPECT_EQ(calc::Cosine(ThetaOf(0.0f)), 1.0);
  // θ falls just short of π/2 with the float π: cos θ ≈ 7.5e-8.
  EXPECT_EQ(calc::Cosine(ThetaOf(180.0f)), 0x1.4442d18469893p-24);
  EXPECT_EQ(calc::Cosine(ThetaOf(180.0f)), Oracle(ThetaOf(180.0f)));
  EXPECT_EQ(calc::Cosine(ThetaOf(90.0f)), Oracle(ThetaOf(90.0f)));
}

TEST(Cosine, EveryFloatTwoThetaFrom170To190) {
  Mismatches bad;
  long n = 0;
  for (float t = 170.0f; t <= 190.0f; t = std::nextafter(t, 200.0f), ++n) bad.Check(ThetaOf(t));
  EXPECT_EQ(n, 20 * 65536 + 1);
  EXPECT_EQ(bad.count, 0) << bad.first;
}

TEST(Cosine, RandomFloatTwoTheta) {
  std::mt19937_64 rng(20240601);
  const std::uint32_t limit = std::bit_cast<std::uint32_t>(1e8f);
  std::uniform_int_distribution<std::uint32_t> anyBits(0, limit - 1);
  std::uniform_real_distribution<float> uniform(-1e8f, 1e8f);
  Mismatches bad;
  for (int i = 0; i < 200000; ++i) {
    // Every magnitude alike, then uniform in value (mostly large angles).
    const float magnitude = std::bit_cast<float>(anyBits(rng));
    const float t = i % 2 == 0 ? (i % 4 == 0 ? magnitude : -magnitude) : uniform(rng);
    bad.Check(ThetaOf(t));
  }
  EXPECT_EQ(bad.count, 0) << bad.first;
}

TEST(Cosine, RandomDoubles) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> below2To20(-0x1p20, 0x1p20);
  Mismatches exact, farther;
  for (int i = 0; i < 200000; ++i) exact.Check(below2To20(rng));
  for (int i = 0; i < 200000; ++i) {  // all magnitudes: within one ulp
    const double x = std::bit_cast<double>(rng());
    if (!std::isfinite(x)) continue;
    const double got = calc::Cosine(x), want = Oracle(x);
    if (!WithinOneUlp(got, want)) farther.Add(x, got, want);
    if (calc::Cosine(-x) != got) farther.Add(-x, calc::Cosine(-x), got);
  }
  EXPECT_EQ(exact.count, 0) << exact.first;
  EXPECT_EQ(farther.count, 0) << farther.first;
}

}  // namespace
