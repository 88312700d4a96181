#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct IAccPropServices;

namespace ui::win32 {

// Names for screen readers, for controls the system cannot name itself: it
// names a box after the label just above it in z-order, and the window
// keeps every label below every box for the dialog manager's tab order
// (MainWindow::stack). Given through Dynamic Annotation (oleacc, Windows XP
// SP3 and later). Where that is missing or fails, as under wine, the boxes
// stay unnamed and nothing else changes: no message, no error.
class AccessibleNames {
 public:
  AccessibleNames() = default;
  ~AccessibleNames() { clear(); }
  AccessibleNames(const AccessibleNames&) = delete;
  AccessibleNames& operator=(const AccessibleNames&) = delete;

  void give(HWND control, const std::wstring& name);
  // Takes every name back; while the controls still exist.
  void clear();

 private:
  bool start();

  bool tried_ = false;
  HMODULE ole32_ = nullptr;
  void(WINAPI* uninitialize_)() = nullptr;  // set where COM was started here
  IAccPropServices* services_ = nullptr;
  std::vector<HWND> named_;
};

}  // namespace ui::win32
