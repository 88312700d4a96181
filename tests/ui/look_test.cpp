// The window's colours on the desktops its users have: every text must read
// (WCAG AA, 4.5:1) on every colour drawn behind it, enabled or greyed.
#include "ui/look.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

struct Desktop {
  const char* name;
  // Window, WindowText, Base, Text, Button, ButtonText, Highlight, Mid,
  // ToolTipBase, DisabledBase, DisabledText
  std::array<std::uint32_t, kRoleCount> rgb;
};

Palette paletteOf(const Desktop& d) {
  Palette p;
  for (int i = 0; i < kRoleCount; ++i) {
    const std::uint32_t c = d.rgb[static_cast<std::size_t>(i)];
    p.colour[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(c >> 16),
                                             static_cast<std::uint8_t>(c >> 8),
                                             static_cast<std::uint8_t>(c)};
  }
  return p;
}

const Desktop kDesktops[] = {
    {"Windows XP",
     {0xECE9D8, 0, 0xFFFFFF, 0, 0xECE9D8, 0, 0x316AC5, 0xACA899, 0xFFFFE1, 0xECE9D8, 0xACA899}},
    {"Windows classic",
     {0xD4D0C8, 0, 0xFFFFFF, 0, 0xD4D0C8, 0, 0x0A246A, 0x808080, 0xFFFFE1, 0xD4D0C8, 0x808080}},
    {"Windows 10",
     {0xF0F0F0, 0, 0xFFFFFF, 0, 0xF0F0F0, 0, 0x0078D7, 0xA0A0A0, 0xFFFFE1, 0xF0F0F0, 0x6D6D6D}},
    {"Windows high contrast",
     {0, 0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF, 0x1AEBFF, 0x808080, 0, 0, 0x3FF23F}},
    {"Wine",
     {0xC0C0C0, 0, 0xFFFFFF, 0, 0xC0C0C0, 0, 0x000080, 0x808080, 0xFFFFE1, 0xC0C0C0, 0x808080}},
    {"Qt light",
     {0xEFEFEF, 0, 0xFFFFFF, 0, 0xEFEFEF, 0, 0x308CC6, 0xB8B8B8, 0xFFFFDC, 0xEFEFEF, 0xBEBEBE}},
    {"GNOME dark",
     {0x353535, 0xEEEEEC, 0x2D2D2D, 0xEEEEEC, 0x353535, 0xEEEEEC, 0x15539E, 0x2A2A2A, 0x000000,
      0x323232, 0x919190}},
    {"qt6ct darker",
     {0x424245, 0xFFFFFF, 0x2C2C2C, 0xFFFFFF, 0x424245, 0xFFFFFF, 0x12608A, 0x464646, 0x3F3F36,
      0x2C2C2C, 0x808080}},
    {"dark, light tooltips",
     {0x353535, 0xFFFFFF, 0x191919, 0xFFFFFF, 0x353535, 0xFFFFFF, 0x2A82DA, 0x242424, 0xFFFFDC,
      0x353535, 0x7F7F7F}},
};

TEST(Look, EveryTextReadsOnWhatIsDrawnBehindItOnEveryDesktop) {
  for (const Desktop& d : kDesktops) {
    SCOPED_TRACE(d.name);
    const Palette p = paletteOf(d);
    const Rgb hatch = hatchOf(p);
    EXPECT_LE(contrastRatio(hatch, windowGround(p)), 1.25);
    for (const ControlSpec& s : kControls) {
      SCOPED_TRACE(nameOf(s.id));
      const Look look = lookOf(s.id, p);
      EXPECT_GE(contrastRatio(look.text, look.ground), kLeastContrast);
      EXPECT_GE(contrastRatio(look.disabledText, look.disabledGround), kLeastContrast);
      if (s.kind == Kind::Label) {
        EXPECT_EQ(look.ground, windowGround(p));  // transparent
        EXPECT_GE(contrastRatio(look.text, hatch), kLeastContrast);
      }
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
  // is a hair short of 4.5:1 on white, so it is darkened that hair.
  for (const Desktop& d : {kDesktops[0], kDesktops[1]})
    EXPECT_EQ(lookOf(Control::txtWaveLengh, paletteOf(d)).text, paletteOf(d)[Role::Highlight]);
  const Rgb win10 = lookOf(Control::txtWaveLengh, paletteOf(kDesktops[2])).text;
  EXPECT_NE(win10, (Rgb{0x00, 0x78, 0xD7}));
  EXPECT_TRUE(win10.b > win10.g && win10.g > win10.r);
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
