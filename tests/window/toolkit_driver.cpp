#include "tests/window/toolkit_driver.h"

#include <utility>

namespace window {

void ToolkitDriver::perform(const Action& a) {
  act(a);
  afterAction();
}

Snapshot ToolkitDriver::snapshot() {
  Snapshot s = look();
  s.boxes.insert(s.boxes.begin(), seen_.begin(), seen_.end());
  seen_.clear();
  return s;
}

void ToolkitDriver::act(const Action& a) {
  switch (a.kind) {
    case Action::Kind::Type:
      focusBox(a.box);
      if (a.inputMethod) return commit(a.text);
      // One character at a time: a refused one brings up its box, which the
      // user closes before typing on.
      for (char32_t ch : a.text) {
        typeChar(ch);
        afterChar();
      }
      return;
    case Action::Kind::Paste:
      return paste(a.box, a.text);
    case Action::Kind::Press:
      return press(a.key);
    case Action::Kind::Click:
      return click(a.box);
    case Action::Kind::Choose:
      return a.byMouse ? chooseByMouse(a.anode) : chooseByKeyboard(a.anode);
    case Action::Kind::Close:
      return closeWindow();
  }
}

void ToolkitDriver::focusBox(Control c) {
  if (focus() != c) click(c);
}

void ToolkitDriver::paste(Control box, const std::u32string& text) {
  toClipboard(text);
  focusBox(box);
  pasteKey();
}

void ToolkitDriver::chooseByKeyboard(int anode) {
  focusBox(Control::combWL);
  openList();
  if (!listOpen()) return;  // the snapshot shows what came of it
  for (int n = 0; n < 12; ++n) {
    const int at = highlighted();
    if (at == anode) break;
    press(at < anode ? Key::Down : Key::Up);
  }
  press(Key::Enter);
}

void ToolkitDriver::dismissBoxes() {
  for (int n = 0; n < 10; ++n) {
    const std::optional<MessageBox> box = openBox();
    if (!box) return;
    seen_.push_back(*box);
    if (closeBox(random_.below(4))) continue;
    stuck(box->text);  // the check reports the box the user could not close
    if (!forceClose()) return;
  }
}

}  // namespace window
