#include "tests/win32/sorbel_app.h"

#include <vector>

namespace driver {
namespace {

constexpr UINT kTimeout = 10000;  // ms; a wine start can be slow

std::wstring className(HWND h) {
  wchar_t name[64] = {};
  GetClassNameW(h, name, 64);
  return name;
}

std::wstring remoteText(HWND h) {
  wchar_t buf[512] = {};
  DWORD_PTR n = 0;
  SendMessageTimeoutW(h, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, kTimeout,
                      &n);
  return std::wstring(buf, n);
}

struct Search {
  DWORD pid;
  std::wstring cls, caption;
  bool hiddenToo;
  HWND found = nullptr;
};

BOOL CALLBACK findTopLevel(HWND h, LPARAM l) {
  auto* s = reinterpret_cast<Search*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid != s->pid || (!s->hiddenToo && !IsWindowVisible(h)) || className(h) != s->cls)
    return TRUE;
  wchar_t caption[256] = {};
  GetWindowTextW(h, caption, 256);
  if (!s->caption.empty() && s->caption != caption) return TRUE;
  s->found = h;
  return FALSE;
}

HWND topLevel(DWORD pid, const wchar_t* cls, const wchar_t* caption = L"", bool hiddenToo = false) {
  Search s{pid, cls, caption, hiddenToo};
  EnumWindows(findTopLevel, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

BOOL CALLBACK collect(HWND h, LPARAM l) {
  reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
  return TRUE;
}

}  // namespace

App::App(const std::wstring& exe) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  std::wstring cmd = L"\"" + exe + L"\"";
  if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi_))
    return;
  WaitForInputIdle(pi_.hProcess, kTimeout);
  for (int i = 0; i < 200 && !main_; ++i) {
    main_ = topLevel(pi_.dwProcessId, L"Sorbel.frmXRD", L"Sorbel");
    if (!main_) Sleep(50);
  }
  if (main_) thread_ = GetWindowThreadProcessId(main_, nullptr);
  settle();
  quiet();
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
  // The marker is the modified flag of txtResult, which the program never
  // reads. Round trips of sent messages would not do: a handler waiting on
  // another thread already handles them.
  static bool flag = false;
  flag = !flag;
  HWND marker = item(ui::Control::txtResult);
  PostMessageW(marker, EM_SETMODIFY, flag, 0);
  for (int i = 0; i < 1000 && IsWindow(marker); ++i) {
    DWORD_PTR now = 0;
    if (SendMessageTimeoutW(marker, EM_GETMODIFY, 0, 0, SMTO_ABORTIFHUNG, kTimeout, &now) &&
        (now != 0) == flag)
      return;
    Sleep(10);
  }
}

std::wstring App::text(ui::Control c) const { return remoteText(item(c)); }

LRESULT App::send(ui::Control c, UINT msg, WPARAM w, LPARAM l) const {
  DWORD_PTR r = 0;
  SendMessageTimeoutW(item(c), msg, w, l, SMTO_ABORTIFHUNG, kTimeout, &r);
  return static_cast<LRESULT>(r);
}

HWND App::focusWindow() const {
  GUITHREADINFO gti{};
  gti.cbSize = sizeof gti;
  return GetGUIThreadInfo(thread_, &gti) ? gti.hwndFocus : nullptr;
}

// The focused control once the program's window is active again: Wine
// activates windows from X events, a moment after a message box has gone.
HWND App::readyFocus() const {
  for (int i = 0; i < 250; ++i) {
    GUITHREADINFO gti{};
    gti.cbSize = sizeof gti;
    if (GetGUIThreadInfo(thread_, &gti) && gti.hwndFocus && gti.hwndActive) return gti.hwndFocus;
    Sleep(20);
  }
  return nullptr;
}

// Wine delivers activation and focus changes from X events, some time after
// the window, a message box or the list has been shown or hidden: waits
// until the active window and the focus have held still for a while.
void App::quiet() const {
  HWND lastActive = nullptr, lastFocus = nullptr;
  int still = 0;
  for (int i = 0; i < 200 && still < 8; ++i) {
    settle();
    GUITHREADINFO gti{};
    gti.cbSize = sizeof gti;
    GetGUIThreadInfo(thread_, &gti);
    const bool same = gti.hwndActive == lastActive && gti.hwndFocus == lastFocus && gti.hwndFocus;
    still = same ? still + 1 : 0;
    lastActive = gti.hwndActive;
    lastFocus = gti.hwndFocus;
    Sleep(25);
  }
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

void App::type(std::wstring_view chars) {
  for (wchar_t ch : chars) {
    PostMessageW(readyFocus(), WM_CHAR, ch, 1);
    // The two halves of a surrogate pair arrive together, as from the keyboard.
    if (!IS_HIGH_SURROGATE(ch)) settle();
  }
}

void App::key(UINT vk) {
  HWND f = readyFocus();
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, 0)) << 16;
  PostMessageW(f, WM_KEYDOWN, vk, scan | 1);
  PostMessageW(f, WM_KEYUP, vk, scan | 1 | (1LL << 30) | (1LL << 31));
  settle();
}

void App::postMouse(HWND target, int x, int y) const {
  const LPARAM at = MAKELPARAM(x, y);
  PostMessageW(target, WM_MOUSEMOVE, 0, at);
  PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(target, WM_LBUTTONUP, 0, at);
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
  PostMessageW(item(c), BM_CLICK, 0, 0);
  settle();
}

void App::choose(int index) {
  PostMessageW(item(ui::Control::combWL), CB_SHOWDROPDOWN, TRUE, 0);
  settle();
  HWND list = nullptr;
  for (int i = 0; i < 100 && !list; ++i) {
    list = topLevel(pi_.dwProcessId, L"ComboLBox");
    if (!list) Sleep(20);
  }
  if (!list) return;
  DWORD_PTR height = 0, top = 0;
  SendMessageTimeoutW(list, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, kTimeout, &height);
  SendMessageTimeoutW(list, LB_GETTOPINDEX, 0, 0, SMTO_ABORTIFHUNG, kTimeout, &top);
  RECT r;
  GetClientRect(list, &r);
  const int y =
      (index - static_cast<int>(top)) * static_cast<int>(height) + static_cast<int>(height) / 2;
  postMouse(list, r.right / 2, y);
  quiet();
}

void App::closeBox() {
  PostMessageW(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
  settle();
}

// A message box exists from the moment the handler is in its modal loop,
// which shows the box only once it runs idle.
HWND App::findBox() const { return topLevel(pi_.dwProcessId, L"#32770", L"", true); }

std::optional<Box> App::messageBox() const {
  HWND box = findBox();
  if (!box) return std::nullopt;
  for (int i = 0; i < 250 && !IsWindowVisible(box); ++i) Sleep(20);
  Box b;
  wchar_t title[256] = {};
  GetWindowTextW(box, title, 256);
  b.title = title;
  std::vector<HWND> children;
  EnumChildWindows(box, collect, reinterpret_cast<LPARAM>(&children));
  for (HWND h : children) {
    const std::wstring cls = className(h);
    if (_wcsicmp(cls.c_str(), L"Static") == 0) {
      if ((GetWindowLongW(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        DWORD_PTR icon = 0;
        SendMessageTimeoutW(h, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kTimeout, &icon);
        b.icon = b.icon || (IsWindowVisible(h) && icon != 0);
      } else if (IsWindowVisible(h)) {
        b.text += remoteText(h);
      }
    } else if (_wcsicmp(cls.c_str(), L"Button") == 0 && GetDlgCtrlID(h) == IDOK) {
      b.button = remoteText(h);
    }
  }
  return b;
}

bool App::dismiss() {
  HWND box = findBox();
  if (!box) return false;
  HWND ok = GetDlgItem(box, IDOK);
  PostMessageW(ok ? ok : box, ok ? BM_CLICK : WM_CLOSE, 0, 0);
  for (int i = 0; i < 250 && IsWindow(box); ++i) Sleep(20);
  settle();
  quiet();
  return !IsWindow(box);
}

bool App::waitExit(DWORD ms, DWORD* code) {
  if (WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0) return false;
  if (code) GetExitCodeProcess(pi_.hProcess, code);
  return true;
}

}  // namespace driver
