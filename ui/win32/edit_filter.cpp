// The text boxes: every character typed into them, from the keyboard or an
// input method, is reported before the box sees it; a disabled box is drawn
// in readable colours.
#include <windows.h>

#include "ui/events.h"
#include "ui/win32/main_window.h"
#include "ui/win32/paint.h"

namespace ui::win32 {
namespace {

constexpr LPARAM kImeResult = 0x0800;  // GCS_RESULTSTR of <imm.h>

}  // namespace

LRESULT MainWindow::editMessage(Control c, HWND edit, UINT msg, WPARAM w, LPARAM l) {
  const WNDPROC original = editProc_[idx(c)];
  if (msg == WM_PAINT && !IsWindowEnabled(edit)) {
    paintDisabledBox(edit, lookOf(c, palette_), font_[idx(c)]);
    return 0;
  }
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
  Keystroke verdict = Keystroke::Insert;
  guarded([&] { verdict = typed(*this, c, ch); });
  if (verdict == Keystroke::Swallow || !IsWindow(edit)) return 0;  // the box never sees it
  // As WM_CHAR: given WM_IME_CHAR, the box would post itself a WM_CHAR that
  // came back here to be judged a second time.
  if (high) CallWindowProcW(original, edit, WM_CHAR, high, l);
  return CallWindowProcW(original, edit, WM_CHAR, w, l);
}

LRESULT CALLBACK MainWindow::editProc(HWND edit, UINT msg, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(GetParent(edit), GWLP_USERDATA));
  Control c{};
  fromControlId(GetDlgCtrlID(edit), c);
  return self->editMessage(c, edit, msg, w, l);
}

}  // namespace ui::win32
