#pragma once
#include <QColor>
#include <QPalette>

#include "ui/look.h"

namespace ui::qt {

// The desktop's colours by role, as its palette gives them.
Palette desktopPalette(const QPalette& p);

inline QColor qcolor(Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace ui::qt
