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

}  // namespace

double contrastRatio(Rgb a, Rgb b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb readable(Rgb text, Rgb back) {
  if (contrastRatio(text, back) >= kLeastContrast) return text;
  constexpr Rgb black{0, 0, 0}, white{255, 255, 255};
  return contrastRatio(black, back) >= contrastRatio(white, back) ? black : white;
}

}  // namespace ui
