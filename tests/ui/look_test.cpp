// The window's colours on the desktops its users have: every text must read
// on every colour drawn behind it, with a margin above WCAG AA; greyed text
// needs less, but must read too.
#include "ui/look.h"

#include <gtest/gtest.h>

#include "tests/window/desktops.h"

namespace ui {
namespace {

using window::Desktop;
using window::kDesktops;
using window::paletteOf;

TEST(Look, EveryTextReadsOnWhatIsDrawnBehindItOnEveryDesktop) {
  for (const Desktop& d : kDesktops) {
    SCOPED_TRACE(d.name);
    const Palette p = paletteOf(d);
    const Rgb hatch = hatchOf(p);
    EXPECT_LE(contrastRatio(hatch, windowGround(p)), 1.25);
    for (const ControlSpec& s : kControls) {
      SCOPED_TRACE(nameOf(s.id));
      const Look look = lookOf(s.id, p);
      EXPECT_GE(contrastRatio(look.text, look.ground), kTextContrast);
      if (s.kind == Kind::Label) {
        EXPECT_EQ(look.ground, windowGround(p));  // transparent
        EXPECT_GE(contrastRatio(look.text, hatch), kTextContrast);
        continue;
      }
      // Some styles draw a disabled box on the window's ground.
      for (Rgb g : {look.disabledGround, windowGround(p)})
        EXPECT_GE(contrastRatio(look.disabledText, g), kGreyedContrast);
    }
  }
}

// On the desktops the window was drawn for, its own colours stay as given.
TEST(Look, TheTablesColoursStayWhereTheyRead) {
  for (const Desktop& d : {kDesktops[0], kDesktops[1], kDesktops[2]}) {
    const Palette p = paletteOf(d);
    EXPECT_EQ(lookOf(Control::txtResult, p).text, (Rgb{0, 0, 192})) << d.name;
    EXPECT_EQ(lookOf(Control::Label9, p).text, (Rgb{128, 0, 0})) << d.name;
  }
  // The selection colour as text: as given where it reads; Windows 10's blue
  // is short of the mark on white, so it is darkened that much.
  for (const Desktop& d : {kDesktops[0], kDesktops[1]})
    EXPECT_EQ(lookOf(Control::txtWaveLengh, paletteOf(d)).text, paletteOf(d)[Role::Highlight]);
  const Rgb win10 = lookOf(Control::txtWaveLengh, paletteOf(kDesktops[2])).text;
  EXPECT_NE(win10, (Rgb{0x00, 0x78, 0xD7}));
  EXPECT_TRUE(win10.b > win10.g && win10.g > win10.r);
  // Windows 10's grey text reads as it is.
  EXPECT_EQ(lookOf(Control::txtWaveLengh, paletteOf(kDesktops[2])).disabledText,
            paletteOf(kDesktops[2])[Role::DisabledText]);
}

// A system colour of the tables is the desktop's colour for its place:
// the window and its buttons share one face, the boxes the desktop's ground.
TEST(Look, SystemColoursTakeTheDesktopsRoles) {
  const Palette p = paletteOf(kDesktops[2]);
  EXPECT_EQ(windowGround(p), p[Role::Window]);
  EXPECT_EQ(lookOf(Control::cmdEnd, p).ground, p[Role::Window]);
  EXPECT_EQ(lookOf(Control::txtD, p).ground, p[Role::Base]);
  EXPECT_EQ(lookOf(Control::combWL, p).ground, p[Role::Base]);
  EXPECT_EQ(lineColour(kLines[1], p), p[Role::Mid]);
}

}  // namespace
}  // namespace ui
