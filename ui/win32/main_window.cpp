#include <windows.h>

#include <array>
#include <exception>
#include <string>
#include <vector>

#include "calc/key_filter.h"
#include "ui/form.h"
#include "ui/handlers.h"
#include "ui/layout.h"
#include "ui/win32/fonts.h"
#include "ui/win32/paint.h"
#include "ui/win32/wide.h"
#include "ui/win32/win32_form.h"

namespace ui::win32 {
namespace {

constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_BORDER;  // fixed single, no min/max
constexpr LPARAM kImeResult = 0x0800;                                // GCS_RESULTSTR of <imm.h>

constexpr std::size_t idx(Control c) { return static_cast<std::size_t>(c); }

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
    for (std::string_view item : kAnodeList) sample += widen(item);
  if (s.kind == Kind::TextBox || s.kind == Kind::ComboBox) sample += L"0123456789.中";
  return sample;
}

class MainWindow final : public Form {
 public:
  MainWindow(HINSTANCE instance, int iconId) : instance_(instance), iconId_(iconId) {}
  ~MainWindow() override {
    for (HFONT f : font_)
      if (f) DeleteObject(f);
  }

  bool create(int showCommand);
  int loop();

  std::string text(Control c) const override { return narrow(windowText(at(c))); }
  void setText(Control c, std::string_view utf8) override;
  void setEnabled(Control c, bool enabled) override { EnableWindow(at(c), enabled); }
  std::string chosenEntry() const override;
  void setFocus(Control c) override {
    lastFocus_ = at(c);
    SetFocus(lastFocus_);
  }
  void messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) override;
  void end() override { DestroyWindow(hwnd_); }

 private:
  static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK editProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT handle(UINT msg, WPARAM w, LPARAM l);
  LRESULT editMessage(Control c, HWND edit, UINT msg, WPARAM w, LPARAM l);
  LRESULT controlColour(UINT msg, HDC dc, HWND from);
  void command(HWND from, int id, int code);
  void createControl(const ControlSpec& s);
  void stack();
  RECT pixelRect(const Rect& r) const;
  bool controlOf(HWND h, Control& c) const;
  HWND at(Control c) const { return child_[idx(c)]; }
  template <class F>
  void guarded(F&& handler);

  HINSTANCE instance_;
  int iconId_;
  HWND hwnd_ = nullptr;
  int dpi_ = 96;
  std::array<HWND, kControlCount> child_{};
  std::array<HFONT, kControlCount> font_{};
  std::array<WNDPROC, kControlCount> editProc_{};
  std::array<wchar_t, kControlCount> pendingHigh_{};  // first half of a surrogate pair
  HWND comboEdit_ = nullptr;
  HWND lastFocus_ = nullptr;
  bool programSetsCombo_ = false;
};

RECT MainWindow::pixelRect(const Rect& r) const {
  // Edges, not sizes, are converted, so neighbours keep their shared pixel.
  return {twipsToPixels(r.left, dpi_), twipsToPixels(r.top, dpi_),
          twipsToPixels(r.left + r.width, dpi_), twipsToPixels(r.top + r.height, dpi_)};
}

bool MainWindow::create(int showCommand) {
  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  HICON big = LoadIconW(instance_, MAKEINTRESOURCEW(iconId_));
  HICON small = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(iconId_), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), 0));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance_;
  wc.hIcon = big;
  wc.hIconSm = small;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(kWindow.back.systemIndex + 1));
  wc.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&wc)) return false;

  RECT frame{0, 0, twipsToPixels(kWindow.clientWidth, dpi_),
             twipsToPixels(kWindow.clientHeight, dpi_)};
  AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
  const std::wstring caption = widen(kWindow.caption);
  CreateWindowExW(0, kWindowClass, caption.c_str(), kWindowStyle,
                  twipsToPixels(kWindow.originLeft, dpi_) + frame.left,
                  twipsToPixels(kWindow.originTop, dpi_) + frame.top, frame.right - frame.left,
                  frame.bottom - frame.top, nullptr, nullptr, instance_, this);
  if (!hwnd_) return false;
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));

  for (const ControlSpec& s : kControls) createControl(s);
  stack();
  guarded([&] { frmXRD_Load(*this); });
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  setFocus(Control::txtD);
  return true;
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
    // A label is as large as its caption in the font actually used.
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, font);
    RECT extent{};
    DrawTextW(dc, text.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    SetWindowPos(h, nullptr, 0, 0, extent.right, extent.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (s.kind == Kind::ComboBox) {
    for (std::string_view item : kAnodeList)
      SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
    // The selection field gets the table's height through its item height.
    RECT field;
    GetWindowRect(h, &field);
    const LRESULT item = SendMessageW(h, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    SendMessageW(h, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 item + (r.bottom - r.top) - (field.bottom - field.top));
    comboEdit_ = GetWindow(h, GW_CHILD);
    setText(s.id, s.text);
  } else if (s.id == Control::txtD || s.id == Control::txt2X) {
    // KeyPress: every typed character passes the form's filter first.
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
    for (const ControlSpec& s : kControls)
      if (s.id == c && s.kind == Kind::Label) z.push_back(c);
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

int MainWindow::loop() {
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (hwnd_ && IsDialogMessageW(hwnd_, &msg)) continue;  // Tab, Enter, Escape
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void MainWindow::setText(Control c, std::string_view utf8) {
  const std::wstring text = widen(utf8);
  if (c != Control::combWL) {
    SetWindowTextW(at(c), text.c_str());  // not cut to the box's limit
    return;
  }
  // Only the field's text: no list entry is chosen, and nothing is raised.
  programSetsCombo_ = true;
  SendMessageW(at(c), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SetWindowTextW(at(c), text.c_str());
  programSetsCombo_ = false;
}

std::string MainWindow::chosenEntry() const {
  HWND combo = at(Control::combWL);
  const LRESULT i = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (i == CB_ERR) return {};
  std::wstring item(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1,
                    L'\0');
  item.resize(static_cast<std::size_t>(
      SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
  return narrow(item);
}

void MainWindow::messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) {
  const std::wstring text = widen(prompt);
  const std::wstring caption = widen(title.empty() ? kWindow.caption : title);
  MessageBoxW(hwnd_, text.c_str(), caption.c_str(),
              MB_OK | (icon == MessageIcon::Critical ? MB_ICONERROR : 0));
}

template <class F>
void MainWindow::guarded(F&& handler) {
  // No exception may unwind through the system's callbacks.
  try {
    handler();
  } catch (const std::exception& e) {
    MessageBoxW(hwnd_, widen(e.what()).c_str(), widen(kWindow.caption).c_str(),
                MB_OK | MB_ICONERROR);
  }
}

bool MainWindow::controlOf(HWND h, Control& c) const {
  if (h && h == comboEdit_) h = at(Control::combWL);
  for (std::size_t i = 0; i < child_.size(); ++i)
    if (child_[i] && child_[i] == h) {
      c = static_cast<Control>(i);
      return true;
    }
  return false;
}

void MainWindow::command(HWND from, int id, int code) {
  Control c;
  // IDOK and IDCANCEL from Enter and Escape come from no control: ignored.
  if (!from || !fromControlId(id, c) || at(c) != from) return;
  const bool clicked =
      spec(c).kind == Kind::Button && (code == BN_CLICKED || code == BN_DOUBLECLICKED);
  // Only a choice from the list is a Click of combWL; typed or set text is not.
  const bool chosen = c == Control::combWL && code == CBN_SELCHANGE && !programSetsCombo_;
  if (clicked || chosen) guarded([&] { click(*this, c); });
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

LRESULT MainWindow::handle(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      paintDecoration(dc, dpi_);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      return controlColour(msg, reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      Control c;
      if (item->CtlType != ODT_BUTTON || !fromControlId(static_cast<int>(item->CtlID), c)) break;
      drawButton(*item, spec(c).back, font_[idx(c)]);
      return TRUE;
    }
    case WM_COMMAND:
      command(reinterpret_cast<HWND>(l), LOWORD(w), HIWORD(w));
      return 0;
    case DM_GETDEFID:
      return 0;  // no default button: Enter presses nothing
    case WM_ACTIVATE:
      // A plain window forgets its focused control when it is deactivated
      // (by a message box, say); give it back on return.
      if (LOWORD(w) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      } else if (!HIWORD(w) && !IsChild(hwnd_, GetFocus())) {
        // Only when no control has it: an activation may come late, after
        // the user has clicked into another control.
        SetFocus(lastFocus_ && IsWindowEnabled(lastFocus_) ? lastFocus_ : at(Control::txtD));
      }
      return 0;
    case WM_SETFOCUS:
      if (lastFocus_ && IsWindowEnabled(lastFocus_)) SetFocus(lastFocus_);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      break;
  }
  return DefWindowProcW(hwnd_, msg, w, l);
}

LRESULT CALLBACK MainWindow::windowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || !self->hwnd_) return DefWindowProcW(hwnd, msg, w, l);
  return self->handle(msg, w, l);
}

LRESULT MainWindow::editMessage(Control c, HWND edit, UINT msg, WPARAM w, LPARAM l) {
  const WNDPROC original = editProc_[idx(c)];
  if (msg == WM_IME_COMPOSITION && (l & kImeResult))
    return DefWindowProcW(edit, msg, w, l);  // turns the result into WM_IME_CHAR, filtered below
  if (msg != WM_CHAR && msg != WM_IME_CHAR) return CallWindowProcW(original, edit, msg, w, l);

  const auto unit = static_cast<wchar_t>(w);
  wchar_t& pending = pendingHigh_[idx(c)];
  if (IS_HIGH_SURROGATE(unit)) {
    pending = unit;  // judged with its second half
    return 0;
  }
  const wchar_t high = IS_LOW_SURROGATE(unit) ? pending : 0;
  pending = 0;
  const char32_t ch = high ? 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) +
                                 (static_cast<char32_t>(unit) - 0xDC00)
                           : unit;
  std::int16_t code = calc::Cp936CharCode(ch);
  guarded([&] { keyPress(*this, c, code); });
  if (code == 0 || !IsWindow(edit)) return 0;  // refused: the box never sees it
  if (high) CallWindowProcW(original, edit, msg, high, l);
  return CallWindowProcW(original, edit, msg, w, l);
}

LRESULT CALLBACK MainWindow::editProc(HWND edit, UINT msg, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(GetParent(edit), GWLP_USERDATA));
  Control c{};
  fromControlId(GetDlgCtrlID(edit), c);
  return self->editMessage(c, edit, msg, w, l);
}

}  // namespace

int run(HINSTANCE instance, int showCommand, int iconId) {
  MainWindow window(instance, iconId);
  if (!window.create(showCommand)) return 1;
  return window.loop();
}

}  // namespace ui::win32
