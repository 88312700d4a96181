#pragma once
#include <windows.h>

#include <string_view>

#include "ui/layout.h"

namespace ui::win32 {

// The control's font at `dpi`: the table's family if it has a glyph for
// every character of `sample`, otherwise the first Chinese stand-in that
// does, at the same size and weight. The caller owns the font.
HFONT createControlFont(const Font& font, std::wstring_view sample, int dpi);

}  // namespace ui::win32
