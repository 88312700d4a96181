#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/window/driver.h"

namespace window {

// A user at the window, for the scenarios: each step is done through the
// driver as the user would do it, and each read looks at the window as it
// is after the last step. Texts are UTF-8.
class User {
 public:
  explicit User(Driver& d) : d_(d) { d_.start(); }

  // Into the focused control, one key per character; "\b" is Backspace.
  void type(std::string_view text);
  // A click into `box` (the caret goes to the end of its text), then type.
  void typeInto(Control box, std::string_view text);
  // Empties `box` as a user would: a click into it, then Backspace.
  void clear(Control box);
  void replace(Control box, std::string_view text) {
    clear(box);
    type(text);
  }
  void commit(Control box, std::string_view text);  // an input method's result
  void paste(Control box, std::string_view text);
  void press(Key k, int times = 1);
  void click(Control c);
  void choose(int anode, bool byMouse = true);
  // Does what is to end the program; true if it ended, with success.
  bool ends(const Action& a);

  const Snapshot& now();
  std::string text(Control c) { return now()[c]; }
  bool enabled(Control c) { return now().isEnabled(c); }
  std::optional<Control> focus() { return now().focus; }
  int listIndex() { return now().listIndex; }
  // The message boxes shown since the last call.
  std::vector<MessageBox> boxes();
  Driver& driver() { return d_; }

 private:
  void act(const Action& a);

  Driver& d_;
  std::optional<Snapshot> now_;
  std::vector<MessageBox> boxes_;
};

}  // namespace window
