#pragma once
#include <string>

#include "ui/colour.h"

namespace ui::web {

// Shape1's diagonal cross-hatch as a CSS image: an 8-pixel tile holding both
// diagonals in `colour`, the rest transparent. A PNG, which the browser
// decodes as a plain picture: an SVG tile would cost it a document of its
// own at every change of colours.
std::string hatchImage(Rgb colour);

}  // namespace ui::web
