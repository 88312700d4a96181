#include <gtest/gtest.h>

#include <vector>

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

TEST(Colour, TextReadsOnEveryGroundAndKeepsItsLook) {
  enum class Hue { Kept, Grey, Red, Blue };
  struct Row {
    Rgb text;
    std::vector<Rgb> grounds;
    Hue hue;
  };
  constexpr Rgb white{255, 255, 255}, black{0, 0, 0};
  const Row rows[] = {
      {{0, 0, 192}, {white}, Hue::Kept},  // reads already
      {{128, 0, 0}, {{216, 228, 248}, {255, 255, 225}}, Hue::Kept},
      {white, {{255, 255, 225}}, Hue::Grey},    // white on pale yellow
      {{20, 20, 20}, {black}, Hue::Grey},       // near-black on black
      {{48, 140, 198}, {white}, Hue::Blue},     // an accent, too light
      {{128, 0, 0}, {{53, 53, 53}}, Hue::Red},  // dark red on a dark desktop
      {{0, 0, 192}, {{42, 42, 42}}, Hue::Blue},
      {{128, 128, 128}, {white, black}, Hue::Grey},  // one grey reads on both
  };
  for (const Row& r : rows) {
    const Rgb shown = readable(r.text, r.grounds);
    for (Rgb g : r.grounds) EXPECT_GE(contrastRatio(shown, g), kLeastContrast);
    const bool look = r.hue == Hue::Kept   ? shown == r.text
                      : r.hue == Hue::Grey ? shown.r == shown.g && shown.g == shown.b
                      : r.hue == Hue::Red  ? shown.r > shown.g && shown.r > shown.b
                                           : shown.b > shown.r && shown.b > shown.g;
    EXPECT_TRUE(look) << int(shown.r) << "," << int(shown.g) << "," << int(shown.b);
    EXPECT_TRUE(shown != black && shown != white);  // moved only as far as needed
  }
  // No colour reads on all of these: the end that reads better.
  EXPECT_EQ(readable({128, 128, 128}, {white, black, Rgb{118, 118, 118}}), black);
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
