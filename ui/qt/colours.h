#pragma once
#include <QColor>
#include <QPalette>

#include "ui/look.h"

namespace ui::qt {

// Where a palette keeps each role.
struct PaletteRole {
  Role role;
  QPalette::ColorGroup group;
  QPalette::ColorRole colour;
};
inline constexpr PaletteRole kPaletteRoles[] = {
    {Role::Window, QPalette::Active, QPalette::Window},
    {Role::WindowText, QPalette::Active, QPalette::WindowText},
    {Role::Base, QPalette::Active, QPalette::Base},
    {Role::Text, QPalette::Active, QPalette::Text},
    {Role::Button, QPalette::Active, QPalette::Button},
    {Role::ButtonText, QPalette::Active, QPalette::ButtonText},
    {Role::Highlight, QPalette::Active, QPalette::Highlight},
    {Role::Mid, QPalette::Active, QPalette::Mid},
    {Role::ToolTipBase, QPalette::Active, QPalette::ToolTipBase},
    {Role::DisabledBase, QPalette::Disabled, QPalette::Base},
    {Role::DisabledText, QPalette::Disabled, QPalette::Text},
};

// The desktop's colours by role, as its palette gives them.
Palette desktopPalette(const QPalette& p);

inline QColor qcolor(Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace ui::qt
