// The window of frmXRD: its class, creation, message loop and dispatch.
#include <windows.h>

#include "ui/events.h"
#include "ui/pixels.h"
#include "ui/win32/main_window.h"
#include "ui/win32/paint.h"
#include "ui/win32/wide.h"
#include "ui/win32/win32_form.h"

namespace ui::win32 {
namespace {

constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_BORDER;  // fixed single, no min/max

}  // namespace

MainWindow::~MainWindow() {
  for (HFONT f : font_)
    if (f) DeleteObject(f);
}

RECT MainWindow::pixelRect(const Rect& r) const {
  const PixelRect p = toPixels(r.left, r.top, r.width, r.height, dpi_);
  return {p.left, p.top, p.right(), p.bottom()};
}

bool MainWindow::create(int showCommand) {
  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  palette_ = systemPalette();

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
  wc.hbrBackground = nullptr;  // the ground is painted with the rest of the window
  wc.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&wc)) return false;

  RECT frame = pixelRect({0, 0, kWindow.clientWidth, kWindow.clientHeight});
  AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
  const RECT origin = pixelRect({kWindow.originLeft, kWindow.originTop, 0, 0});
  const std::wstring caption = widen(kWindow.caption);
  CreateWindowExW(0, kWindowClass, caption.c_str(), kWindowStyle, origin.left + frame.left,
                  origin.top + frame.top, frame.right - frame.left, frame.bottom - frame.top,
                  nullptr, nullptr, instance_, this);
  if (!hwnd_) return false;
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));

  createControls();
  guarded([&] { loaded(*this); });
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  setFocus(Control::txtD);
  return true;
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

std::string MainWindow::text(Control c) const { return narrow(windowText(at(c))); }

void MainWindow::setFocus(Control c) {
  lastFocus_ = at(c);
  SetFocus(lastFocus_);
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
  if (spec(c).kind == Kind::Button && (code == BN_CLICKED || code == BN_DOUBLECLICKED))
    guarded([&] { clicked(*this, c); });
  if (c == Control::combWL && choice(code)) {
    const int index = chosenIndex();
    guarded([&] { chosen(*this, index); });
  }
}

// A plain window forgets its focused control when it is deactivated (by a
// message box, say); it gets it back on return.
LRESULT MainWindow::activate(WPARAM w) {
  if (LOWORD(w) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
  } else if (!HIWORD(w) && !IsChild(hwnd_, GetFocus())) {
    // Only when no control has it: an activation may come late, after the
    // user has clicked into another control.
    SetFocus(lastFocus_ && IsWindowEnabled(lastFocus_) ? lastFocus_ : at(Control::txtD));
  }
  return 0;
}

LRESULT MainWindow::handle(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the ground is painted with the rest
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      RECT client;
      GetClientRect(hwnd_, &client);
      paintWindow(dc, client, dpi_, palette_);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_SYSCOLORCHANGE:
      palette_ = systemPalette();
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      return controlColour(msg, reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      Control c;
      if (item->CtlType != ODT_BUTTON || !fromControlId(static_cast<int>(item->CtlID), c)) break;
      drawButton(*item, lookOf(c, palette_), font_[idx(c)]);
      return TRUE;
    }
    case WM_COMMAND:
      command(reinterpret_cast<HWND>(l), LOWORD(w), HIWORD(w));
      return 0;
    case DM_GETDEFID:
      return 0;  // no default button: Enter presses nothing
    case WM_ACTIVATE:
      return activate(w);
    case WM_SETFOCUS:
      if (lastFocus_ && IsWindowEnabled(lastFocus_)) SetFocus(lastFocus_);
      return 0;
    case WM_DESTROY:
      names_.clear();  // while the controls are still there
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

int run(HINSTANCE instance, int showCommand, int iconId) {
  MainWindow window(instance, iconId);
  if (!window.create(showCommand)) return 1;
  return window.loop();
}

}  // namespace ui::win32
