#pragma once
#include <string>
#include <string_view>

#include "ui/layout.h"

// The page's fonts, for the tools that build it: the window's markup and
// the list of characters each embedded font must show.
namespace page {

// The stand-ins for the table's fonts: subsets of the two CJK families the
// Qt window uses, embedded in the page under names of their own.
std::string_view cssFamily(const ui::Font& f);
// As a CSS font shorthand at 96 dpi, with the installed family after it.
std::string cssFont(const ui::Font& f);

// The title bar's and the message boxes' font (14 pixels).
inline constexpr ui::Font kPageFont{"MS Sans Serif", 10.5, 400};

}  // namespace page
