#include "ui/colour.h"

#include <algorithm>
#include <cmath>

namespace ui {
namespace {

double luminance(Rgb c) {
  auto channel = [](std::uint8_t v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}

double worst(Rgb text, std::span<const Rgb> grounds) {
  double least = 21;
  for (Rgb g : grounds) least = std::min(least, contrastRatio(text, g));
  return least;
}

}  // namespace

double contrastRatio(Rgb a, Rgb b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb mix(Rgb a, Rgb b, double t) {
  auto channel = [t](std::uint8_t x, std::uint8_t y) {
    return static_cast<std::uint8_t>(std::lround(x + (y - x) * t));
  };
  return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

Rgb readable(Rgb text, std::span<const Rgb> grounds, double least) {
  if (worst(text, grounds) >= least) return text;
  // The smallest step towards black, or towards white, that reads; the
  // smaller of the two wins. Steps of 1/64 are finer than 8-bit channels.
  constexpr int kSteps = 64;
  constexpr Rgb black{0, 0, 0}, white{255, 255, 255};
  for (int step = 1; step <= kSteps; ++step) {
    for (Rgb end : {black, white}) {
      const Rgb moved = mix(text, end, static_cast<double>(step) / kSteps);
      if (worst(moved, grounds) >= least) return moved;
    }
  }
  // Grounds at both ends: whichever end reads better.
  return worst(black, grounds) >= worst(white, grounds) ? black : white;
}

}  // namespace ui
