#include "tests/window/contrast.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace window {

double textContrast(const Picture& picture, ui::PixelRect area) {
  const int right = std::min(area.right(), picture.width);
  const int bottom = std::min(area.bottom(), picture.height);
  auto key = [](ui::Rgb c) { return std::tuple(c.r, c.g, c.b); };
  std::map<std::tuple<int, int, int>, int> counts;
  int total = 0;
  for (int y = std::max(area.top, 0); y < bottom; ++y)
    for (int x = std::max(area.left, 0); x < right; ++x, ++total) ++counts[key(picture.at(x, y))];
  // The most common colour is ground; so is any other that covers a tenth
  // of the area and lies close to it (the hatch over the window's ground),
  // but not a bold text's own colour.
  auto rgbOf = [](const std::tuple<int, int, int>& c) {
    return ui::Rgb{static_cast<std::uint8_t>(std::get<0>(c)),
                   static_cast<std::uint8_t>(std::get<1>(c)),
                   static_cast<std::uint8_t>(std::get<2>(c))};
  };
  const auto most =
      std::max_element(counts.begin(), counts.end(),
                       [](const auto& a, const auto& b) { return a.second < b.second; });
  if (most == counts.end()) return 1;
  std::vector<ui::Rgb> grounds;
  for (const auto& [c, n] : counts)
    if (n * 10 >= total && ui::contrastRatio(rgbOf(c), rgbOf(most->first)) <= 1.5)
      grounds.push_back(rgbOf(c));
  double best = 1;
  for (const auto& [c, n] : counts) {
    const ui::Rgb pixel = rgbOf(c);
    double least = 21;
    for (ui::Rgb g : grounds) least = std::min(least, ui::contrastRatio(pixel, g));
    best = std::max(best, least);
  }
  return best;
}

ui::PixelRect inside(ui::PixelRect r, int frame) {
  return {r.left + frame, r.top + frame, r.width - 2 * frame, r.height - 2 * frame};
}

}  // namespace window
