#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "ui/controls.h"

namespace driver {

// A message box of the program, as the user sees it.
struct Box {
  std::wstring title, text, button;  // button: the OK button's caption
  bool icon = false;
  bool okOnly = false;  // one button, OK
};

// A running Sorbel.exe driven from outside, as the user would: characters
// and keys are posted to the focused control, buttons are clicked, list
// entries picked with the mouse. Every step waits until the program has
// dealt with it: it waits on what the program does, never for a time.
class App {
 public:
  // What the program shows first: its window, or (when it refuses to start) a message box.
  enum class Opens { Window, MessageBox };
  explicit App(const std::wstring& exe, Opens opens = Opens::Window);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  bool started() const { return main_ != nullptr; }
  HWND main() const { return main_; }
  HWND item(ui::Control c) const { return GetDlgItem(main_, ui::controlId(c)); }

  std::wstring text(ui::Control c) const;
  bool enabled(ui::Control c) const { return IsWindowEnabled(item(c)); }
  std::optional<ui::Control> focus() const;
  int listIndex() const;
  std::wstring listItem(int i) const;
  LRESULT send(ui::Control c, UINT msg, WPARAM w = 0, LPARAM l = 0) const;

  // Modifiers held down for a key.
  enum Held : unsigned { None = 0, Ctrl = 1, Shift = 2, Alt = 4 };

  void type(std::wstring_view chars);       // WM_CHAR to the focused control
  void imeChar(wchar_t unit);               // WM_IME_CHAR, as an input method's result
  void key(UINT vk, unsigned held = None);  // WM_(SYS)KEYDOWN/UP to the focused control
  static bool setClipboard(std::wstring_view text);
  void clickInto(ui::Control c);  // a mouse click on the control
  void press(ui::Control c);      // BM_CLICK on a button
  void choose(int index);         // open combWL's list, click an entry
  void closeBox();                // the title bar's close command

  std::optional<Box> messageBox() const;
  bool dismiss();                // presses OK on the message box; false if none
  bool dismissWithKey(UINT vk);  // Enter or Escape to the box instead
  bool listDropped() const;
  bool waitExit(DWORD ms, DWORD* code = nullptr);
  bool waitForExit(DWORD* code);  // as long as any reaction may take

  // Returns once the program's thread has handled everything posted so far
  // (or is waiting in a message box's loop).
  void settle() const;

 private:
  HWND focusWindow() const;
  HWND readyFocus() const;
  void ready() const;
  HWND findBox() const;
  void postMouse(HWND target, int x, int y);
  void post(HWND target, UINT msg, WPARAM w, LPARAM l);
  void postKey(HWND target, UINT vk, bool alt);
  void holdKeys(unsigned held) const;
  bool closed(HWND box);

  PROCESS_INFORMATION pi_{};
  HWND main_ = nullptr;
  DWORD thread_ = 0;
};

}  // namespace driver
