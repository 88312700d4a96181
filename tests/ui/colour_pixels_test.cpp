#include <gtest/gtest.h>

#include "ui/colour.h"
#include "ui/pixels.h"

namespace ui {
namespace {

TEST(Colour, ContrastRatiosAreWcags) {
  struct Row {
    Rgb a, b;
    double ratio;
  };
  const Row rows[] = {
      {{0, 0, 0}, {255, 255, 255}, 21.0},       {{255, 255, 255}, {0, 0, 0}, 21.0},
      {{119, 119, 119}, {255, 255, 255}, 4.48},  // #777 on white
      {{0, 0, 192}, {255, 255, 255}, 11.92},    {{40, 40, 40}, {40, 40, 40}, 1.0},
  };
  for (const Row& r : rows) EXPECT_NEAR(contrastRatio(r.a, r.b), r.ratio, 0.01);
}

TEST(Colour, TextThatWouldVanishBecomesBlackOrWhite) {
  struct Row {
    Rgb text, back, shown;
  };
  const Row rows[] = {
      {{0, 0, 192}, {255, 255, 255}, {0, 0, 192}},    // reads: kept
      {{128, 0, 0}, {216, 228, 248}, {128, 0, 0}},    // kept
      {{255, 255, 255}, {255, 255, 225}, {0, 0, 0}},  // white on pale yellow
      {{20, 20, 20}, {0, 0, 0}, {255, 255, 255}},     // near-black on black
      {{120, 120, 120}, {128, 128, 128}, {0, 0, 0}},  // mid grey: black reads better
  };
  for (const Row& r : rows) EXPECT_EQ(readable(r.text, r.back), r.shown);
}

TEST(Pixels, TwipsRoundToTheNearestPixel) {
  struct Row {
    int twips, dpi, pixels;
  };
  const Row rows[] = {{15, 96, 1},     {7, 96, 0},      {8, 96, 1},       {-8, 96, -1},
                      {5295, 96, 353}, {4335, 96, 289}, {1440, 120, 120}, {1560, 144, 156}};
  for (const Row& r : rows) EXPECT_EQ(twipsToPixels(r.twips, r.dpi), r.pixels) << r.twips;
  EXPECT_EQ(pointsToPixels(12), 16);
  EXPECT_EQ(pointsToPixels(13.5), 18);
  EXPECT_EQ(pointsToPixels(12, 120), 20);
}

TEST(Pixels, NeighboursThatShareAnEdgeInTwipsShareItInPixels) {
  for (int dpi : {96, 110, 120, 144, 168}) {
    const PixelRect left = toPixels(1560, 1320, 1215, 420, dpi);
    const PixelRect right = toPixels(1560 + 1215, 1320, 1000, 420, dpi);
    EXPECT_EQ(left.right(), right.left) << dpi;
  }
}

}  // namespace
}  // namespace ui
