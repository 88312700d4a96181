#pragma once
#include <array>

#include "ui/colour.h"
#include "ui/controls.h"
#include "ui/layout.h"

namespace ui {

// The colours of the desktop the window opens on, by what they are for, as
// a front end reads them from its toolkit.
enum class Role {
  Window,        // a window's ground
  WindowText,    // text on it
  Base,          // the ground of a text box or list
  Text,          // text on it
  Button,        // a push button's face
  ButtonText,    // text on it
  Highlight,     // selection, the desktop's accent
  Mid,           // a shade between the window's ground and its text: frames
  ToolTipBase,   // a tooltip's ground
  DisabledBase,  // the ground of a disabled text box
  DisabledText,  // greyed text
};
inline constexpr int kRoleCount = static_cast<int>(Role::DisabledText) + 1;

struct Palette {
  std::array<Rgb, kRoleCount> colour{};
  Rgb operator[](Role r) const { return colour[static_cast<std::size_t>(r)]; }
  Rgb& operator[](Role r) { return colour[static_cast<std::size_t>(r)]; }
};

// What a system colour of the window's tables stands for: the role that
// its place in the window had on the desktop it was chosen on (19, the
// window's and the buttons' face, was a light grey there; 9 and 14, the
// ground of two boxes, white; 24, the frame's hatch, a pale tooltip
// yellow). Taken from the desktop's own roles, the window's colours agree
// with whatever its ordinary ones are, light or dark.
Role roleOf(int systemIndex);

// A colour of the tables on `palette`; Ordinary is the palette's `ordinary`.
Rgb resolve(const Colour& c, Role ordinary, const Palette& palette);

// A control's colours as drawn: its ground (a button's face; a label's is
// the window's) and its text, which reads on every colour drawn behind it.
// Disabled, a box is greyed but its text still reads.
struct Look {
  Rgb ground, text;
  Rgb disabledGround, disabledText;
};
Look lookOf(Control c, const Palette& palette);

// The window's ground, Shape1's outline and hatch, and the lines.
Rgb windowGround(const Palette& palette);
Rgb outlineOf(const Palette& palette);
// Kept close to the window's ground, so that the labels over it read.
Rgb hatchOf(const Palette& palette);
Rgb lineColour(const LineSpec& line, const Palette& palette);

}  // namespace ui
