// The window's colours on the desktop's palette: every text reads on what
// is drawn behind it, light desktop or dark (ui/look.h).
#include "ui/qt/colours.h"

#include <QApplication>

#include "ui/qt/qt_form.h"
#include "ui/qt/widgets.h"

namespace ui::qt {
namespace {

Rgb rgbOf(const QColor& c) {
  return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
          static_cast<std::uint8_t>(c.blue())};
}

// Text and ground of a box or the list, enabled and disabled.
void colourBox(QWidget* w, const Look& look) {
  QPalette p = w->palette();
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(g, QPalette::Base, qcolor(look.ground));
    p.setColor(g, QPalette::Text, qcolor(look.text));
  }
  p.setColor(QPalette::Disabled, QPalette::Base, qcolor(look.disabledGround));
  p.setColor(QPalette::Disabled, QPalette::Text, qcolor(look.disabledText));
  w->setPalette(p);
}

}  // namespace

Palette desktopPalette(const QPalette& p) {
  Palette d;
  for (const PaletteRole& r : kPaletteRoles) d[r.role] = rgbOf(p.color(r.group, r.colour));
  return d;
}

void QtForm::applyColours() {
  const Palette desktop = desktopPalette(QApplication::palette());
  QPalette p = QApplication::palette();
  p.setColor(QPalette::Window, qcolor(windowGround(desktop)));
  window_.setPalette(p);
  for (const ControlSpec& s : kControls) {
    const Look look = lookOf(s.id, desktop);
    QWidget* w = widget(s.id);
    if (s.kind == Kind::Label) {
      QPalette lp = w->palette();
      lp.setColor(QPalette::WindowText, qcolor(look.text));
      w->setPalette(lp);
    } else if (s.kind == Kind::Button) {
      static_cast<FaceButton*>(w)->setLook(look);
    } else {
      colourBox(w, look);
    }
  }
  for (const LineSpec& l : kLines)
    static_cast<LineItem*>(widget(l.id))->setColour(qcolor(lineColour(l, desktop)));
  static_cast<ShapeItem*>(widget(kShape.id))
      ->setColours(qcolor(outlineOf(desktop)), qcolor(hatchOf(desktop)));
}

}  // namespace ui::qt
