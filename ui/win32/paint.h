#pragma once
#include <windows.h>

#include "ui/look.h"

namespace ui::win32 {

// The desktop's colours by role, from the system's colour table.
Palette systemPalette();

inline COLORREF colorref(Rgb c) { return RGB(c.r, c.g, c.b); }

// The window's ground, then Shape1 and the lines, bottom-most first; the
// labels are child windows over them.
void paintWindow(HDC dc, const RECT& client, int dpi, const Palette& palette);

// A push button: the classic frame around a face in its own colour.
void drawButton(const DRAWITEMSTRUCT& item, const Look& look, HFONT font);

// A disabled box, drawn where and as the box would but in the look's
// colours: the system greys its text beyond reading on some desktops.
void paintDisabledBox(HWND edit, const Look& look, HFONT font);

}  // namespace ui::win32
