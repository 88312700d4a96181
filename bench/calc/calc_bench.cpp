// One whole calculation as the button does it: three parses, the formula,
// the format. Run: build/linux/bench/calc/calc_bench --benchmark_repetitions=10
#include <benchmark/benchmark.h>

#include <string>

#include "calc/grain_size_formula.h"
#include "calc/number_text.h"

namespace {

void WholeCalculation(benchmark::State& state) {
  std::string beta = "0.25", twoTheta = "31.8", lambda = "0.154056";
  for (auto _ : state) {
    benchmark::DoNotOptimize(beta.data());
    benchmark::DoNotOptimize(twoTheta.data());
    const auto b = static_cast<float>(calc::NumberText::parse(beta));
    const auto t = static_cast<float>(calc::NumberText::parse(twoTheta));
    const auto l = static_cast<float>(calc::NumberText::parse(lambda));
    std::string text = calc::NumberText::format(calc::GrainSizeFormula(b, t, l));
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(WholeCalculation);

void Cosine2ThetaNear180(benchmark::State& state) {
  float t = 179.99f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    benchmark::DoNotOptimize(calc::GrainSizeFormula(0.2f, t, 0.154056f));
  }
}
BENCHMARK(Cosine2ThetaNear180);

}  // namespace
