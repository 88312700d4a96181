#include <gtest/gtest.h>

#include <algorithm>
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
    double least = kTextContrast;
  };
  constexpr Rgb white{255, 255, 255}, black{0, 0, 0};
  const Row rows[] = {
      {{0, 0, 192}, {white}, Hue::Kept},  // reads already
      {{128, 0, 0}, {{216, 228, 248}, {255, 255, 225}}, Hue::Kept},
      {white, {{255, 255, 225}}, Hue::Grey},    // white on pale yellow
      {{20, 20, 20}, {black}, Hue::Grey},       // near-black on black
      {{48, 140, 198}, {white}, Hue::Blue},     // an accent, too light
      {{0, 120, 215}, {white}, Hue::Blue},      // one a hair short of AA
      {{128, 0, 0}, {{53, 53, 53}}, Hue::Red},  // dark red on a dark desktop
      {{128, 0, 0}, {{53, 53, 53}, {38, 38, 38}}, Hue::Red},
      {{0, 0, 192}, {{42, 42, 42}}, Hue::Blue},
      // Greyed text needs less, and keeps what it has.
      {{109, 109, 109}, {{240, 240, 240}}, Hue::Kept, kGreyedContrast},
      {{128, 128, 128}, {{192, 192, 192}}, Hue::Grey, kGreyedContrast},
      {{128, 128, 128}, {white, black}, Hue::Grey, kGreyedContrast},  // one grey for both
      {{190, 190, 190}, {{239, 239, 239}, white}, Hue::Grey, kGreyedContrast},
      {{145, 145, 144}, {{53, 53, 53}, {45, 45, 45}}, Hue::Kept, kGreyedContrast},
  };
  for (const Row& r : rows) {
    const Rgb shown = readable(r.text, r.grounds, r.least);
    SCOPED_TRACE(testing::Message() << int(shown.r) << "," << int(shown.g) << "," << int(shown.b));
    double worst = 21;
    for (Rgb g : r.grounds) worst = std::min(worst, contrastRatio(shown, g));
    EXPECT_GE(worst, r.least);
    // Moved only as far as needed: close above the mark, never to an end.
    if (shown != r.text) {
      EXPECT_LT(worst, r.least * 1.08);
    }
    EXPECT_TRUE(shown != black && shown != white);
    const bool look = r.hue == Hue::Kept   ? shown == r.text
                      : r.hue == Hue::Grey ? shown.r == shown.g && shown.g == shown.b
                      : r.hue == Hue::Red  ? shown.r > shown.g && shown.r > shown.b
                                           : shown.b > shown.r && shown.b > shown.g;
    EXPECT_TRUE(look);
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
