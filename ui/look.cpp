#include "ui/look.h"

namespace ui {
namespace {

// The most a hatch line may stand out from the window's ground.
constexpr double kHatchContrast = 1.25;

}  // namespace

Role roleOf(int systemIndex) {
  switch (systemIndex) {
    case 0:  // scroll bar: the frame lines
      return Role::Mid;
    case 8:  // window text
      return Role::WindowText;
    case 5:   // window
    case 9:   // active title-bar text: txtD's ground
    case 14:  // highlight text: combWL's ground
      return Role::Base;
    case 13:  // highlight: the wavelength's text
      return Role::Highlight;
    case 17:  // grey text
      return Role::DisabledText;
    case 18:  // button text
      return Role::ButtonText;
    case 24:  // tooltip background: the hatch
      return Role::ToolTipBase;
    default:  // 19, inactive title-bar text: the window's and the buttons' face
      return Role::Window;
  }
}

Rgb resolve(const Colour& c, Role ordinary, const Palette& palette) {
  switch (c.kind) {
    case Colour::Kind::System:
      return palette[roleOf(c.systemIndex)];
    case Colour::Kind::Rgb:
      return {c.r, c.g, c.b};
    case Colour::Kind::Ordinary:
      break;
  }
  return palette[ordinary];
}

Rgb windowGround(const Palette& palette) { return resolve(kWindow.back, Role::Window, palette); }

Rgb outlineOf(const Palette& palette) { return palette[Role::WindowText]; }

Rgb hatchOf(const Palette& palette) {
  const Rgb ground = windowGround(palette);
  const Rgb hatch = resolve(kShape.hatch, Role::ToolTipBase, palette);
  for (int step = 0; step <= 16; ++step) {
    const Rgb moved = mix(hatch, ground, step / 16.0);
    if (contrastRatio(moved, ground) <= kHatchContrast) return moved;
  }
  return ground;
}

Rgb lineColour(const LineSpec& line, const Palette& palette) {
  return resolve(line.colour, Role::WindowText, palette);
}

Look lookOf(Control c, const Palette& palette) {
  const ControlSpec& s = spec(c);
  Look look{};
  switch (s.kind) {
    case Kind::Label: {
      // Transparent: the window's ground and the hatch show behind it.
      const Rgb ground = windowGround(palette);
      look.ground = look.disabledGround = ground;
      look.text = look.disabledText =
          readable(resolve(s.fore, Role::WindowText, palette), {ground, hatchOf(palette)});
      return look;
    }
    case Kind::Button:
      look.ground = resolve(s.back, Role::Button, palette);
      look.text = readable(resolve(s.fore, Role::ButtonText, palette), {look.ground});
      look.disabledGround = look.ground;
      break;
    case Kind::TextBox:
    case Kind::ComboBox:
      look.ground = resolve(s.back, Role::Base, palette);
      look.text = readable(resolve(s.fore, Role::Text, palette), {look.ground});
      look.disabledGround = palette[Role::DisabledBase];
      break;
  }
  // Some widget styles draw a disabled box on the window's ground instead.
  look.disabledText = readable(palette[Role::DisabledText],
                               {look.disabledGround, windowGround(palette)}, kGreyedContrast);
  return look;
}

}  // namespace ui
