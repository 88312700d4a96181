#pragma once
#include <windows.h>

#include "ui/layout.h"

namespace ui::win32 {

// `ordinaryIndex` is the system colour that stands for Colour::Ordinary.
COLORREF colourOf(const Colour& c, int ordinaryIndex);
// A brush for the colour that the caller does not delete: the system's own
// brush, or the DC brush of `dc` set to an RGB value.
HBRUSH brushOf(HDC dc, const Colour& c, int ordinaryIndex);

// ui::readable on GDI colours. The system colours that the table names
// differ between Windows versions: colours 9 and 19 are white and light grey
// on classic Windows but black on later ones.
COLORREF readable(COLORREF text, COLORREF back);

// Shape1 and the lines, bottom-most first; the labels are child windows.
void paintDecoration(HDC dc, int dpi);

// A push button face in its back colour, drawn over the classic frame.
void drawButton(const DRAWITEMSTRUCT& item, const Colour& face, HFONT font);

}  // namespace ui::win32
