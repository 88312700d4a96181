#pragma once
#include <cmath>

namespace ui {

// Twips to device pixels: 1440 twips an inch, so 15 a pixel at 96 dpi.
// Rounds to nearest, halves away from zero.
constexpr int twipsToPixels(int twips, int dpi = 96) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>((scaled >= 0 ? scaled + 720 : scaled - 720) / 1440);
}

struct PixelRect {
  int left, top, width, height;
  constexpr int right() const { return left + width; }  // one past the last column
  constexpr int bottom() const { return top + height; }
};

// A rectangle in twips, in pixels. Its edges, not its size, are converted,
// so that two controls sharing an edge in twips share it in pixels too.
constexpr PixelRect toPixels(int left, int top, int width, int height, int dpi = 96) {
  const int l = twipsToPixels(left, dpi), t = twipsToPixels(top, dpi);
  return {l, t, twipsToPixels(left + width, dpi) - l, twipsToPixels(top + height, dpi) - t};
}

// The pixels a straight line's pen covers between the line's ends (x1, y1)
// and (x2, y2), in pixels: a wide pen is centred on the line, as GDI draws
// it, so 3 pixels wide covers one either side; an even width leans right
// and down.
constexpr PixelRect penBox(int x1, int y1, int x2, int y2, int width) {
  const int before = (width - 1) / 2;
  const int dx = x2 > x1 ? x2 - x1 : x1 - x2, dy = y2 > y1 ? y2 - y1 : y1 - y2;
  return {(x1 < x2 ? x1 : x2) - before, (y1 < y2 ? y1 : y2) - before, dx + width, dy + width};
}

// The pixel height of a font's em at `dpi`, 72 points an inch.
inline int pointsToPixels(double points, int dpi = 96) {
  return static_cast<int>(std::lround(points * dpi / 72.0));
}

}  // namespace ui
