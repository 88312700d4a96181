// Colours and drawing: the controls' colours, the buttons' faces, disabled
// boxes, the lines and the frame shape.
#include "ui/win32/paint.h"

#include <string>

#include "ui/pixels.h"
#include "ui/win32/main_window.h"
#include "ui/win32/wide.h"

namespace ui::win32 {
namespace {

HBRUSH solid(HDC dc, Rgb c) {
  SetDCBrushColor(dc, colorref(c));
  return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

void drawShape(HDC dc, int dpi, const Palette& palette) {
  const Rect& r = kShape.rect;
  const PixelRect p = toPixels(r.left, r.top, r.width, r.height, dpi);
  HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, colorref(hatchOf(palette)));
  HPEN outline = CreatePen(PS_SOLID, 1, colorref(outlineOf(palette)));
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

void drawLine(HDC dc, const LineSpec& line, int dpi, const Palette& palette) {
  // Lines lying outside the client area are clipped away by GDI.
  HPEN pen = CreatePen(PS_SOLID, line.widthPixels, colorref(lineColour(line, palette)));
  HGDIOBJ old = SelectObject(dc, pen);
  const PixelRect p = toPixels(line.x1, line.y1, line.x2 - line.x1, line.y2 - line.y1, dpi);
  MoveToEx(dc, p.left, p.top, nullptr);
  LineTo(dc, p.right(), p.bottom());
  SelectObject(dc, old);
  DeleteObject(pen);
}

}  // namespace

Palette systemPalette() {
  Palette p;
  auto take = [&p](Role role, int index) {
    const COLORREF c = GetSysColor(index);
    p[role] = {GetRValue(c), GetGValue(c), GetBValue(c)};
  };
  take(Role::Window, COLOR_BTNFACE);
  take(Role::WindowText, COLOR_WINDOWTEXT);
  take(Role::Base, COLOR_WINDOW);
  take(Role::Text, COLOR_WINDOWTEXT);
  take(Role::Button, COLOR_BTNFACE);
  take(Role::ButtonText, COLOR_BTNTEXT);
  take(Role::Highlight, COLOR_HIGHLIGHT);
  take(Role::Mid, COLOR_BTNSHADOW);
  take(Role::ToolTipBase, COLOR_INFOBK);
  take(Role::DisabledBase, COLOR_BTNFACE);
  take(Role::DisabledText, COLOR_GRAYTEXT);
  return p;
}

void paintWindow(HDC dc, const RECT& client, int dpi, const Palette& palette) {
  FillRect(dc, &client, solid(dc, windowGround(palette)));
  for (auto it = kStacking.rbegin(); it != kStacking.rend(); ++it) {
    if (*it == kShape.id) drawShape(dc, dpi, palette);
    for (const LineSpec& line : kLines)
      if (line.id == *it) drawLine(dc, line, dpi, palette);
  }
}

void drawButton(const DRAWITEMSTRUCT& item, const Look& look, HFONT font) {
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  RECT inside = rc;
  InflateRect(&inside, -2, -2);
  FillRect(dc, &inside, solid(dc, disabled ? look.disabledGround : look.ground));

  const std::wstring caption = windowText(item.hwndItem);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colorref(disabled ? look.disabledText : look.text));
  RECT text = inside;
  if (pushed) OffsetRect(&text, 1, 1);
  DrawTextW(dc, caption.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&inside, -1, -1);
    DrawFocusRect(dc, &inside);
  }
}

void paintDisabledBox(HWND edit, const Look& look, HFONT font) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(edit, &ps);
  RECT client;
  GetClientRect(edit, &client);
  FillRect(dc, &client, solid(dc, look.disabledGround));
  const std::wstring text = windowText(edit);
  const LRESULT first = SendMessageW(edit, EM_POSFROMCHAR, 0, 0);  // where the box puts it
  if (!text.empty() && first != -1) {
    RECT format;
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colorref(look.disabledText));
    ExtTextOutW(dc, static_cast<short>(LOWORD(first)), static_cast<short>(HIWORD(first)),
                ETO_CLIPPED, &format, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    SelectObject(dc, oldFont);
  }
  EndPaint(edit, &ps);
}

LRESULT MainWindow::controlColour(UINT msg, HDC dc, HWND from) {
  Control c;
  if (msg == WM_CTLCOLORLISTBOX)
    c = Control::combWL;  // the list of combWL, the only one
  else if (!controlOf(from, c))
    return DefWindowProcW(hwnd_, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(from));
  const Kind kind = spec(c).kind;
  const Look look = lookOf(c, palette_);
  if (kind == Kind::Label) {
    // Transparent: the window's ground and Shape1 show through the caption.
    SetBkMode(dc, TRANSPARENT);
    SetTextCharacterExtra(dc, spacing_[idx(c)]);  // the static control draws on this DC
    SetTextColor(dc, colorref(look.text));
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  if (kind == Kind::Button)
    return DefWindowProcW(hwnd_, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(from));
  // A box asks with WM_CTLCOLORSTATIC while it is disabled.
  const bool disabled = msg == WM_CTLCOLORSTATIC;
  const Rgb ground = disabled ? look.disabledGround : look.ground;
  SetTextColor(dc, colorref(disabled ? look.disabledText : look.text));
  SetBkColor(dc, colorref(ground));
  return reinterpret_cast<LRESULT>(solid(dc, ground));
}

}  // namespace ui::win32
