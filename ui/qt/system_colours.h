#pragma once
#include <QColor>

#include "ui/colour.h"

namespace ui::qt {

// A system colour by its platform index. Linux has no such table, so the
// front end carries one fixed scheme.
QColor systemColour(int index);

// `ordinary` stands for the toolkit's usual colour of that role.
QColor toQColor(const Colour& c, const QColor& ordinary);

// `text`, or black or white where it would not stand out from `back`.
QColor readableOn(const QColor& text, const QColor& back);

}  // namespace ui::qt
