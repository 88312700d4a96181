#include "tests/win32/sorbel_app.h"

namespace driver {
namespace {

// How long an awaited reaction of the program may take, in ms. Waits end as
// soon as it comes, so this only bounds a failure: far beyond what a
// program busy on a loaded machine needs.
constexpr UINT kTimeout = 60000;
// Its start: in a fresh wine prefix the first start of a program that uses
// COM (the screen readers' names) also starts wine's own services.
constexpr UINT kStartLimit = 180000;

// Polls `done` until it holds: true, or false after `limit` ms.
template <class Done>
bool waitFor(Done done, UINT limit = kTimeout) {
  const ULONGLONG end = GetTickCount64() + limit;
  while (!done()) {
    if (GetTickCount64() >= end) return false;
    Sleep(1);
  }
  return true;
}

std::wstring className(HWND h) {
  wchar_t name[64] = {};
  GetClassNameW(h, name, 64);
  return name;
}

// A message's answer from the program's thread; 0 if it did not answer.
DWORD_PTR sent(HWND h, UINT msg, WPARAM w = 0, LPARAM l = 0) {
  DWORD_PTR r = 0;
  return SendMessageTimeoutW(h, msg, w, l, SMTO_ABORTIFHUNG, kTimeout, &r) ? r : 0;
}

std::wstring remoteText(HWND h) {
  std::wstring text(sent(h, WM_GETTEXTLENGTH) + 1, L'\0');
  text.resize(sent(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  return text;
}

// The first top-level window of the process of this class (and caption).
HWND topLevel(DWORD pid, const wchar_t* cls, const wchar_t* caption = nullptr,
              bool hiddenToo = false) {
  for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, cls, caption)) != nullptr;) {
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner == pid && (hiddenToo || IsWindowVisible(h))) return h;
  }
  return nullptr;
}

}  // namespace

App::App(const std::wstring& exe, Opens opens) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  std::wstring cmd = L"\"" + exe + L"\"";
  if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi_))
    return;
  // It is up once its thread waits for input; a program that ends early
  // ends the wait too.
  WaitForInputIdle(pi_.hProcess, kStartLimit);
  auto ended = [this] { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0; };
  if (opens == Opens::MessageBox) {
    waitFor([&] { return findBox() != nullptr || ended(); }, kStartLimit);
    return;
  }
  waitFor(
      [&] {
        return (main_ = topLevel(pi_.dwProcessId, L"Sorbel.frmXRD", L"Sorbel")) != nullptr ||
               ended();
      },
      kStartLimit);
  if (!main_) return;
  thread_ = GetWindowThreadProcessId(main_, nullptr);
  ready();
}

App::~App() {
  if (pi_.hProcess) {
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 99);
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
  }
}

void App::settle() const {
  // Posted messages are handled in the order they were posted; a marker
  // posted last, whose effect can be read back, shows that everything
  // before it has been handled (or that a message box's loop is running).
  // The marker is the horizontal extent of combWL's list, which has no
  // horizontal scroll bar: nothing the program or the user does reads or
  // changes it. Sent messages would not do: they overtake what was posted.
  static WPARAM count = 0;
  const WPARAM mark = count = count % 1000 + 1;
  HWND list = item(ui::Control::combWL);
  PostMessageW(list, CB_SETHORIZONTALEXTENT, mark, 0);
  waitFor([&] { return !IsWindow(list) || sent(list, CB_GETHORIZONTALEXTENT) == mark; });
}

std::wstring App::text(ui::Control c) const { return remoteText(item(c)); }

LRESULT App::send(ui::Control c, UINT msg, WPARAM w, LPARAM l) const {
  return static_cast<LRESULT>(sent(item(c), msg, w, l));
}

HWND App::focusWindow() const {
  GUITHREADINFO gti{};
  gti.cbSize = sizeof gti;
  return GetGUIThreadInfo(thread_, &gti) ? gti.hwndFocus : nullptr;
}

// The focused control, once the program has an active window and a focus
// in it: where the user's keys go.
HWND App::readyFocus() const {
  HWND focus = nullptr;
  waitFor([&] {
    GUITHREADINFO gti{};
    gti.cbSize = sizeof gti;
    focus = GetGUIThreadInfo(thread_, &gti) && gti.hwndActive ? gti.hwndFocus : nullptr;
    return focus != nullptr || !IsWindow(main_);  // a program that has ended has none
  });
  return focus;
}

// After a window of the program was shown or hidden (the main window, a
// message box, the list): the program has handled it and has its focus
// again. In wine's own desktop the activation happens on the program's
// thread, so it is done once everything posted is.
void App::ready() const {
  settle();
  readyFocus();
}

std::optional<ui::Control> App::focus() const {
  HWND f = focusWindow();
  if (f && GetParent(f) != main_) f = GetParent(f);  // the field of combWL
  ui::Control c;
  if (!f || !ui::fromControlId(GetDlgCtrlID(f), c)) return std::nullopt;
  return c;
}

int App::listIndex() const { return static_cast<int>(send(ui::Control::combWL, CB_GETCURSEL)); }

std::wstring App::listItem(int i) const {
  wchar_t buf[64] = {};
  const LRESULT n = send(ui::Control::combWL, CB_GETLBTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(buf));
  return n > 0 ? std::wstring(buf, static_cast<std::size_t>(n)) : std::wstring();
}

void App::post(HWND target, UINT msg, WPARAM w, LPARAM l) { PostMessageW(target, msg, w, l); }

// A key down and up as the keyboard makes them; with Alt, as system keys.
void App::postKey(HWND target, UINT vk, bool alt) {
  const LPARAM l = (static_cast<LPARAM>(MapVirtualKeyW(vk, 0)) << 16) | (alt ? 1LL << 29 : 0) | 1;
  post(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, l);
  post(target, alt ? WM_SYSKEYUP : WM_KEYUP, vk, l | (1LL << 30) | (1LL << 31));
}

void App::type(std::wstring_view chars) {
  for (wchar_t ch : chars) {
    post(readyFocus(), WM_CHAR, ch, 1);
    // The two halves of a surrogate pair arrive together, as from the keyboard.
    if (!IS_HIGH_SURROGATE(ch)) settle();
  }
}

void App::imeChar(wchar_t unit) {
  post(readyFocus(), WM_IME_CHAR, unit, 1);
  if (!IS_HIGH_SURROGATE(unit)) settle();
}

// The program reads Ctrl, Shift and Alt from its key state, which posted
// keys leave alone; attached to its input, this thread shares that state and
// sets it. `held` None lets all of them go again.
void App::holdKeys(unsigned held) const {
  BYTE state[256] = {};
  GetKeyboardState(state);
  struct Modifier {
    unsigned bit;
    int keys[2];
  };
  static constexpr Modifier modifiers[] = {{Ctrl, {VK_CONTROL, VK_LCONTROL}},
                                           {Shift, {VK_SHIFT, VK_LSHIFT}},
                                           {Alt, {VK_MENU, VK_LMENU}}};
  for (const Modifier& m : modifiers)
    for (int vk : m.keys) state[vk] = (held & m.bit) ? 0x80 : 0;
  SetKeyboardState(state);
}

void App::key(UINT vk, unsigned held) {
  HWND f = readyFocus();
  const DWORD self = GetCurrentThreadId();
  const bool attached = held != None && AttachThreadInput(self, thread_, TRUE);
  if (attached) holdKeys(held);
  postKey(f, vk, held & Alt);
  settle();
  // The character that the key down was translated into is posted behind
  // the first marker.
  settle();
  if (attached) {
    holdKeys(None);
    AttachThreadInput(self, thread_, FALSE);
  }
}

bool App::setClipboard(std::wstring_view text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool set = false;
  if (memory) {
    auto* copy = static_cast<wchar_t*>(GlobalLock(memory));
    text.copy(copy, text.size());
    copy[text.size()] = L'\0';
    GlobalUnlock(memory);
    set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!set) GlobalFree(memory);
  }
  CloseClipboard();
  return set;
}

void App::postMouse(HWND target, int x, int y) {
  const LPARAM at = MAKELPARAM(x, y);
  post(target, WM_MOUSEMOVE, 0, at);
  post(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
  post(target, WM_LBUTTONUP, 0, at);
  settle();
}

void App::clickInto(ui::Control c) {
  HWND target = item(c);
  if (c == ui::Control::combWL) target = GetWindow(target, GW_CHILD);  // its text field
  RECT r;
  GetClientRect(target, &r);
  postMouse(target, r.right - 2, r.bottom / 2);  // caret at the end of the text
}

void App::press(ui::Control c) {
  post(item(c), BM_CLICK, 0, 0);
  settle();
}

void App::choose(int index) {
  post(item(ui::Control::combWL), CB_SHOWDROPDOWN, TRUE, 0);
  settle();
  HWND list = nullptr;
  if (!waitFor([&] { return (list = topLevel(pi_.dwProcessId, L"ComboLBox")) != nullptr; })) return;
  const auto height = static_cast<int>(sent(list, LB_GETITEMHEIGHT)),
             top = static_cast<int>(sent(list, LB_GETTOPINDEX));
  RECT r;
  GetClientRect(list, &r);
  const int y = (index - top) * height + height / 2;
  postMouse(list, r.right / 2, y);
  ready();
}

void App::closeBox() {
  post(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
  settle();
}

// A message box exists from the moment the handler is in its modal loop,
// which shows the box only once it runs idle.
HWND App::findBox() const { return topLevel(pi_.dwProcessId, L"#32770", nullptr, true); }

std::optional<Box> App::messageBox() const {
  HWND box = findBox();
  if (!box) return std::nullopt;
  waitFor([&] { return IsWindowVisible(box) || !IsWindow(box); });
  Box b;
  wchar_t title[256] = {};
  GetWindowTextW(box, title, 256);
  b.title = title;
  int buttons = 0;
  for (HWND h = GetWindow(box, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    const std::wstring cls = className(h);
    if (_wcsicmp(cls.c_str(), L"Static") == 0) {
      if ((GetWindowLongW(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        b.icon = b.icon || (IsWindowVisible(h) && sent(h, STM_GETICON) != 0);
      } else if (IsWindowVisible(h)) {
        b.text += remoteText(h);
      }
    } else if (_wcsicmp(cls.c_str(), L"Button") == 0 && IsWindowVisible(h)) {
      ++buttons;
      if (GetDlgCtrlID(h) == IDOK) b.button = remoteText(h);
    }
  }
  b.okOnly = buttons == 1 && !b.button.empty();
  return b;
}

bool App::dismiss() {
  HWND box = findBox();
  if (!box) return false;
  HWND ok = GetDlgItem(box, IDOK);
  post(ok ? ok : box, ok ? BM_CLICK : WM_CLOSE, 0, 0);
  return closed(box);
}

bool App::dismissWithKey(UINT vk) {
  HWND box = findBox();
  if (!box) return false;
  (void)messageBox();  // shown, so that its button has the focus
  HWND f = focusWindow();
  postKey(f ? f : box, vk, false);
  return closed(box);
}

bool App::closed(HWND box) {
  const bool gone = waitFor([&] { return !IsWindow(box); });
  if (main_) ready();
  return gone;
}

bool App::listDropped() const { return send(ui::Control::combWL, CB_GETDROPPEDSTATE) != 0; }

bool App::waitForExit(DWORD* code) { return waitExit(kTimeout, code); }

bool App::waitExit(DWORD ms, DWORD* code) {
  if (WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0) return false;
  if (code) GetExitCodeProcess(pi_.hProcess, code);
  return true;
}

}  // namespace driver
