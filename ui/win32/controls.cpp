// The controls of frmXRD: created from the layout table, then stacked.
#include <windows.h>

#include <cmath>
#include <optional>
#include <vector>

#include "ui/pixels.h"
#include "ui/win32/fonts.h"
#include "ui/win32/main_window.h"
#include "ui/win32/wide.h"

namespace ui::win32 {
namespace {

// Place of a control in the stacking order, 0 the top-most.
int stackPlace(Control c) {
  for (std::size_t i = 0; i < kStacking.size(); ++i)
    if (kStacking[i] == c) return static_cast<int>(i);
  return static_cast<int>(kStacking.size());
}

// Characters a control must be able to show: its caption, the list of
// combWL, and for the boxes a Chinese character that may be typed.
std::wstring fontSample(const ControlSpec& s) {
  std::wstring sample = widen(s.text);
  if (s.kind == Kind::ComboBox)
    for (std::size_t i = 0; i < kAnodeCount; ++i) sample += widen(anodeEntry(i));
  if (s.kind == Kind::TextBox || s.kind == Kind::ComboBox) sample += L"0123456789.中";
  return sample;
}

// The spacing between characters, 0 or less, at which a caption's ink ends
// kGap pixels or more short of `room`: a caption in another font than the
// table's may be wider, and none may run under the control beside it.
int fittingSpacing(HDC dc, const std::wstring& text, int room) {
  constexpr int kGap = 2;
  const int n = static_cast<int>(text.size());
  SIZE extent{};
  ABCFLOAT last{};
  if (n < 2 || !GetTextExtentPoint32W(dc, text.c_str(), n, &extent) ||
      !GetCharABCWidthsFloatW(dc, text.back(), text.back(), &last))
    return 0;
  const int ink = extent.cx - static_cast<int>(std::floor(last.abcfC));  // its right bearing
  const int over = ink + kGap - room;
  return over > 0 ? -((over + n - 2) / (n - 1)) : 0;
}

}  // namespace

void MainWindow::createControls() {
  for (const ControlSpec& s : kControls) createControl(s);
  stack();
  nameBoxes();
}

// Each box is named after its label, as the Qt window names them. combWL's
// field takes the focus for it, so it gets the name too.
void MainWindow::nameBoxes() {
  for (const ControlSpec& s : kControls) {
    if (s.kind != Kind::TextBox && s.kind != Kind::ComboBox) continue;
    const std::wstring name = widen(accessibleName(s.id));
    names_.give(at(s.id), name);
    if (s.id == Control::combWL) names_.give(comboEdit_, name);
  }
}

void MainWindow::createControl(const ControlSpec& s) {
  const RECT r = pixelRect(s.rect);
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  DWORD ex = 0;
  const wchar_t* cls = L"STATIC";
  int height = r.bottom - r.top;
  switch (s.kind) {
    case Kind::Label:
      // Transparent: the back colour and Shape1 show through the caption.
      style |= SS_LEFTNOWORDWRAP | SS_NOPREFIX;
      ex = WS_EX_TRANSPARENT;
      break;
    case Kind::TextBox:
      cls = L"EDIT";
      style |= WS_TABSTOP | WS_GROUP | ES_LEFT | ES_AUTOHSCROLL;
      ex = WS_EX_CLIENTEDGE;
      break;
    case Kind::ComboBox:
      // The height of a drop-down combo box includes its list; the list
      // shrinks to its six items.
      cls = L"COMBOBOX";
      style |= WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
      height += twipsToPixels(3000, dpi_);
      break;
    case Kind::Button:
      // Owner-drawn, to paint the face in its own colour; never a default button.
      cls = L"BUTTON";
      style |= WS_TABSTOP | WS_GROUP | BS_OWNERDRAW;
      break;
  }
  const std::wstring text = s.kind == Kind::ComboBox ? std::wstring() : widen(s.text);
  HWND h = CreateWindowExW(ex, cls, text.c_str(), style, r.left, r.top, r.right - r.left, height,
                           hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(s.id))),
                           instance_, nullptr);
  child_[idx(s.id)] = h;
  HFONT font = createControlFont(s.font, fontSample(s), dpi_);
  font_[idx(s.id)] = font;
  SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (s.maxLength > 0) SendMessageW(h, EM_LIMITTEXT, static_cast<WPARAM>(s.maxLength), 0);

  if (s.kind == Kind::Label) {
    // A label is as large as its caption in the font actually used, set
    // closer where it would reach the control beside it.
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, font);
    if (const std::optional<int> next = nextOnRow(s.rect)) {
      spacing_[idx(s.id)] = fittingSpacing(dc, text, twipsToPixels(*next, dpi_) - r.left);
      SetTextCharacterExtra(dc, spacing_[idx(s.id)]);
    }
    RECT extent{};
    DrawTextW(dc, text.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    SetWindowPos(h, nullptr, 0, 0, extent.right, extent.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (s.kind == Kind::ComboBox) {
    fillAnodeList(h, r.bottom - r.top);
    setText(s.id, s.text);
  } else if (s.kind == Kind::TextBox) {
    // Every typed character is reported before the box sees it, and a
    // disabled box is drawn in the window's own colours.
    editProc_[idx(s.id)] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc)));
  }
}

// The dialog manager tabs in z-order, so the focusable controls lie in tab
// order, above the labels. Where a later control of the tab order must
// cover an earlier one (the buttons' shared pixel columns), the earlier
// one's window region gives up the shared pixels.
void MainWindow::stack() {
  std::vector<Control> z;
  for (const ControlSpec& s : kControls)
    if (s.kind != Kind::Label) z.push_back(s.id);
  for (Control c : kStacking)
    if (spec(c).id == c && spec(c).kind == Kind::Label) z.push_back(c);
  for (Control c : z)
    SetWindowPos(at(c), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  for (std::size_t i = 0; i < z.size(); ++i) {
    const RECT upper = pixelRect(spec(z[i]).rect);
    HRGN region = CreateRectRgn(0, 0, upper.right - upper.left, upper.bottom - upper.top);
    bool cut = false;
    for (std::size_t j = i + 1; j < z.size(); ++j) {
      RECT lower = pixelRect(spec(z[j]).rect), common;
      if (stackPlace(z[j]) > stackPlace(z[i]) || !IntersectRect(&common, &upper, &lower)) continue;
      OffsetRect(&common, -upper.left, -upper.top);
      HRGN part = CreateRectRgnIndirect(&common);
      CombineRgn(region, region, part, RGN_DIFF);
      DeleteObject(part);
      cut = true;
    }
    if (cut)
      SetWindowRgn(at(z[i]), region, FALSE);  // the system owns it now
    else
      DeleteObject(region);
  }
}

}  // namespace ui::win32
