// The program's message boxes: modal to frmXRD, one OK button.
#include <windows.h>

#include "ui/texts.h"
#include "ui/win32/main_window.h"
#include "ui/win32/wide.h"

namespace ui::win32 {

void MainWindow::messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) {
  MessageBoxW(hwnd_, widen(prompt).c_str(), widen(title).c_str(),
              MB_OK | (icon == MessageIcon::Critical ? MB_ICONERROR : 0));
}

void MainWindow::showError(const char* what) {
  messageBox(what, texts::kAppName, MessageIcon::Critical);
}

}  // namespace ui::win32
