#include "ui/qt/system_colours.h"

#include <array>

namespace ui::qt {
namespace {

// The Windows XP default ("Luna" blue) scheme, indexes 0 to 30. It is the
// scheme the window's colours were chosen against: light blue window and
// button faces, grey frame lines, a pale yellow hatch.
constexpr std::array<QRgb, 31> kScheme{
    0xD4D0C8,  //  0 scroll bar
    0x004E98,  //  1 desktop
    0x0054E3,  //  2 active caption
    0x7A96DF,  //  3 inactive caption
    0xFFFFFF,  //  4 menu
    0xFFFFFF,  //  5 window
    0x000000,  //  6 window frame
    0x000000,  //  7 menu text
    0x000000,  //  8 window text
    0xFFFFFF,  //  9 active caption text
    0xD4D0C8,  // 10 active border
    0xD4D0C8,  // 11 inactive border
    0x808080,  // 12 application workspace
    0x316AC5,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xECE9D8,  // 15 button face
    0xACA899,  // 16 button shadow
    0xACA899,  // 17 grey text
    0x000000,  // 18 button text
    0xD8E4F8,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x716F64,  // 21 3D dark shadow
    0xF1EFE2,  // 22 3D light
    0x000000,  // 23 tooltip text
    0xFFFFE1,  // 24 tooltip background
    0xB5B5B5,  // 25 (unused)
    0x000080,  // 26 hot-tracked item
    0x3D95FF,  // 27 gradient active caption
    0x9DB9EB,  // 28 gradient inactive caption
    0x316AC5,  // 29 menu highlight
    0xECE9D8,  // 30 menu bar
};

}  // namespace

QColor systemColour(int index) {
  if (index < 0 || index >= static_cast<int>(kScheme.size())) return QColor(Qt::black);
  return QColor(kScheme[static_cast<std::size_t>(index)]);
}

QColor toQColor(const Colour& c, const QColor& ordinary) {
  switch (c.kind) {
    case Colour::Kind::System:
      return systemColour(c.systemIndex);
    case Colour::Kind::Rgb:
      return QColor(c.r, c.g, c.b);
    case Colour::Kind::Ordinary:
      break;
  }
  return ordinary;
}

QColor readableOn(const QColor& text, const QColor& back) {
  auto rgbOf = [](const QColor& c) {
    return Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue())};
  };
  const Rgb r = readable(rgbOf(text), rgbOf(back));
  return QColor(r.r, r.g, r.b);
}

}  // namespace ui::qt
