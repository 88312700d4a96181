#pragma once
#include <string>
#include <vector>

#include "ui/colour.h"
#include "ui/pixels.h"

namespace window {

// A picture of the window as it shows on the screen.
struct Picture {
  int width = 0, height = 0;
  std::vector<ui::Rgb> pixels;  // row by row
  ui::Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// How well the text in `area` reads against what is drawn behind it: the
// commonest colour, and those near it that cover a tenth of the area or more,
// are its grounds; the pixel that stands out most from all of them is the
// text. 1 where no pixel stands out at all.
double textContrast(const Picture& picture, ui::PixelRect area);

// The part of `r` (in window pixels) that a control's text may cover:
// inside its frame.
ui::PixelRect inside(ui::PixelRect r, int frame);

}  // namespace window
