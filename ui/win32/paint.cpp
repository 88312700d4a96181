#include "ui/win32/paint.h"

#include <algorithm>

#include <cmath>
#include <string>

#include "ui/win32/wide.h"

namespace ui::win32 {
namespace {

int px(int twips, int dpi) { return twipsToPixels(twips, dpi); }

void drawShape(HDC dc, int dpi) {
  const Rect& r = kShape.rect;
  HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, colourOf(kShape.hatch, COLOR_WINDOWTEXT));
  HPEN outline = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
  HGDIOBJ oldBrush = SelectObject(dc, hatch);
  HGDIOBJ oldPen = SelectObject(dc, outline);
  const int oldMode = SetBkMode(dc, TRANSPARENT);  // only the hatch lines are drawn
  Rectangle(dc, px(r.left, dpi), px(r.top, dpi), px(r.left + r.width, dpi),
            px(r.top + r.height, dpi));
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(outline);
  DeleteObject(hatch);
}

void drawLine(HDC dc, const LineSpec& line, int dpi) {
  // Lines lying outside the client area are clipped away by GDI.
  HPEN pen = CreatePen(PS_SOLID, line.widthPixels, colourOf(line.colour, COLOR_WINDOWTEXT));
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, px(line.x1, dpi), px(line.y1, dpi), nullptr);
  LineTo(dc, px(line.x2, dpi), px(line.y2, dpi));
  SelectObject(dc, old);
  DeleteObject(pen);
}

double luminance(COLORREF c) {
  auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) +
         0.0722 * channel(GetBValue(c));
}

double contrast(COLORREF a, COLORREF b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

COLORREF readable(COLORREF text, COLORREF back) {
  if (contrast(text, back) >= 3.0) return text;
  const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
  return contrast(black, back) >= contrast(white, back) ? black : white;
}

COLORREF colourOf(const Colour& c, int ordinaryIndex) {
  switch (c.kind) {
    case Colour::Kind::System:
      return GetSysColor(c.systemIndex);
    case Colour::Kind::Rgb:
      return RGB(c.r, c.g, c.b);
    case Colour::Kind::Ordinary:
      break;
  }
  return GetSysColor(ordinaryIndex);
}

HBRUSH brushOf(HDC dc, const Colour& c, int ordinaryIndex) {
  if (c.kind == Colour::Kind::Rgb) {
    SetDCBrushColor(dc, RGB(c.r, c.g, c.b));
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
  }
  return GetSysColorBrush(c.kind == Colour::Kind::System ? c.systemIndex : ordinaryIndex);
}

void paintDecoration(HDC dc, int dpi) {
  for (auto it = kStacking.rbegin(); it != kStacking.rend(); ++it) {
    if (*it == kShape.id) drawShape(dc, dpi);
    for (const LineSpec& line : kLines)
      if (line.id == *it) drawLine(dc, line, dpi);
  }
}

void drawButton(const DRAWITEMSTRUCT& item, const Colour& face, HFONT font) {
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  RECT inside = rc;
  InflateRect(&inside, -2, -2);
  FillRect(dc, &inside, brushOf(dc, face, COLOR_BTNFACE));

  const std::wstring caption = windowText(item.hwndItem);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  const COLORREF ink =
      GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
  SetTextColor(dc, readable(ink, colourOf(face, COLOR_BTNFACE)));
  RECT text = inside;
  if (pushed) OffsetRect(&text, 1, 1);
  DrawTextW(dc, caption.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&inside, -1, -1);
    DrawFocusRect(dc, &inside);
  }
}

}  // namespace ui::win32
