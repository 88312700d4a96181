#pragma once
#include <string>
#include <string_view>

#include "ui/layout.h"

namespace ui::web {

// The stand-ins for the table's fonts: subsets of the two CJK families the
// Qt window uses, embedded in the page under names of their own.
std::string_view cssFamily(const Font& f);
// As a CSS font shorthand at 96 dpi, with the installed families after it.
std::string cssFont(const Font& f);

// The title bar's and the message boxes' font (14 pixels).
inline constexpr Font kPageFont{"MS Sans Serif", 10.5, 400};

}  // namespace ui::web
