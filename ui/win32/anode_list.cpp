// combWL: an editable field over the anode list. Only a choice from the
// list is an event; the program setting the field's text never is.
#include <windows.h>

#include "ui/win32/main_window.h"
#include "ui/win32/wide.h"

namespace ui::win32 {

void MainWindow::fillAnodeList(HWND combo, int fieldHeight) {
  for (std::size_t i = 0; i < kAnodeCount; ++i)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(anodeEntry(i)).c_str()));
  // The selection field gets the table's height through its item height.
  RECT field;
  GetWindowRect(combo, &field);
  const LRESULT item = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
               item + fieldHeight - (field.bottom - field.top));
  comboEdit_ = GetWindow(combo, GW_CHILD);
}

void MainWindow::setText(Control c, std::string_view utf8) {
  const std::wstring text = widen(utf8);
  if (c == Control::combWL) return setAnodeText(text);
  SetWindowTextW(at(c), text.c_str());  // not cut to the box's limit
}

// Only the field's text: no list entry is chosen, and nothing is raised.
void MainWindow::setAnodeText(std::wstring_view text) {
  programSetsCombo_ = true;
  SendMessageW(at(Control::combWL), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SetWindowTextW(at(Control::combWL), std::wstring(text).c_str());
  programSetsCombo_ = false;
}

// Only a choice from the list is reported; typed or set text is not. In the
// open list the arrow keys only move the highlight, and the choice is made
// when the list closes on an entry, even the one already chosen. In the
// closed list the arrow keys choose the neighbouring entry at once.
bool MainWindow::choice(int notification) const {
  if (programSetsCombo_) return false;
  if (notification == CBN_SELENDOK) return true;
  return notification == CBN_SELCHANGE &&
         !SendMessageW(at(Control::combWL), CB_GETDROPPEDSTATE, 0, 0);
}

int MainWindow::chosenIndex() const {
  return static_cast<int>(SendMessageW(at(Control::combWL), CB_GETCURSEL, 0, 0));  // CB_ERR: -1
}

}  // namespace ui::win32
