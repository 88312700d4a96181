#pragma once
#include <windows.h>

#include <array>
#include <exception>
#include <string>

#include "ui/form.h"
#include "ui/layout.h"
#include "ui/look.h"
#include "ui/win32/accessible_names.h"

namespace ui::win32 {

constexpr std::size_t idx(Control c) { return static_cast<std::size_t>(c); }

// frmXRD over plain USER controls. Its parts live by concern: the window
// and its loop (window.cpp), the controls (controls.cpp), the typed
// characters of the boxes (edit_filter.cpp), the anode list (anode_list.cpp),
// colours and drawing (paint.cpp), message boxes (message_box.cpp) and the
// boxes' names for screen readers (accessible_names.cpp).
class MainWindow final : public Form {
 public:
  MainWindow(HINSTANCE instance, int iconId) : instance_(instance), iconId_(iconId) {}
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  bool create(int showCommand);
  int loop();

  std::string text(Control c) const override;
  void setText(Control c, std::string_view utf8) override;
  void setEnabled(Control c, bool enabled) override { EnableWindow(at(c), enabled); }
  void setFocus(Control c) override;
  void messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) override;
  void end() override { DestroyWindow(hwnd_); }

 private:
  static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK editProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT handle(UINT msg, WPARAM w, LPARAM l);
  LRESULT activate(WPARAM w);
  LRESULT editMessage(Control c, HWND edit, UINT msg, WPARAM w, LPARAM l);
  LRESULT controlColour(UINT msg, HDC dc, HWND from);
  void command(HWND from, int id, int code);
  void createControls();
  void createControl(const ControlSpec& s);
  void fillAnodeList(HWND combo, int fieldHeight);
  void setAnodeText(std::wstring_view text);
  bool choice(int notification) const;
  int chosenIndex() const;
  void stack();
  void nameBoxes();
  RECT pixelRect(const Rect& r) const;
  bool controlOf(HWND h, Control& c) const;
  HWND at(Control c) const { return child_[idx(c)]; }
  // Runs an event's handler; no exception may unwind through the system's
  // callbacks, so an unexpected one is shown instead.
  template <class F>
  void guarded(F&& handler) {
    try {
      handler();
    } catch (const std::exception& e) {
      showError(e.what());
    }
  }
  void showError(const char* what);

  HINSTANCE instance_;
  int iconId_;
  HWND hwnd_ = nullptr;
  int dpi_ = 96;
  Palette palette_{};  // the desktop's colours, read again when they change
  std::array<HWND, kControlCount> child_{};
  std::array<HFONT, kControlCount> font_{};
  std::array<int, kControlCount> spacing_{};  // a label's character extra, 0 or less
  std::array<WNDPROC, kControlCount> editProc_{};
  std::array<wchar_t, kControlCount> pendingHigh_{};  // first half of a surrogate pair
  HWND comboEdit_ = nullptr;
  HWND lastFocus_ = nullptr;
  bool programSetsCombo_ = false;
  AccessibleNames names_;
};

}  // namespace ui::win32
