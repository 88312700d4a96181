// Colours and drawing: the controls' colours, the buttons' faces, the lines
// and the frame shape.
#include "ui/win32/paint.h"

#include <string>

#include "ui/pixels.h"
#include "ui/win32/main_window.h"
#include "ui/win32/wide.h"

namespace ui::win32 {
namespace {

void drawShape(HDC dc, int dpi) {
  const Rect& r = kShape.rect;
  const PixelRect p = toPixels(r.left, r.top, r.width, r.height, dpi);
  HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, colourOf(kShape.hatch, COLOR_WINDOWTEXT));
  HPEN outline = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
  HGDIOBJ oldBrush = SelectObject(dc, hatch);
  HGDIOBJ oldPen = SelectObject(dc, outline);
  const int oldMode = SetBkMode(dc, TRANSPARENT);  // only the hatch lines are drawn
  Rectangle(dc, p.left, p.top, p.right(), p.bottom());
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
  const PixelRect p = toPixels(line.x1, line.y1, line.x2 - line.x1, line.y2 - line.y1, dpi);
  MoveToEx(dc, p.left, p.top, nullptr);
  LineTo(dc, p.right(), p.bottom());
  SelectObject(dc, old);
  DeleteObject(pen);
}

}  // namespace

COLORREF readable(COLORREF text, COLORREF back) {
  auto rgbOf = [](COLORREF c) { return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)}; };
  const Rgb r = ui::readable(rgbOf(text), rgbOf(back));
  return RGB(r.r, r.g, r.b);
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

LRESULT MainWindow::controlColour(UINT msg, HDC dc, HWND from) {
  Control c;
  if (msg == WM_CTLCOLORLISTBOX)
    c = Control::combWL;  // the list of combWL, the only one
  else if (!controlOf(from, c))
    return DefWindowProcW(hwnd_, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(from));
  const ControlSpec& s = spec(c);
  if (s.kind == Kind::Label) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(
        dc, readable(colourOf(s.fore, COLOR_WINDOWTEXT), colourOf(kWindow.back, COLOR_BTNFACE)));
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  // A disabled box without a back colour of its own keeps the system's look.
  if (s.kind == Kind::Button || (msg == WM_CTLCOLORSTATIC && s.back.kind == Colour::Kind::Ordinary))
    return DefWindowProcW(hwnd_, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(from));
  const COLORREF back = colourOf(s.back, COLOR_WINDOW);
  SetTextColor(dc, readable(colourOf(s.fore, COLOR_WINDOWTEXT), back));
  SetBkColor(dc, back);
  return reinterpret_cast<LRESULT>(brushOf(dc, s.back, COLOR_WINDOW));
}

}  // namespace ui::win32
