#pragma once
// A seeded random user of frmXRD and the facts that must hold after each of
// its actions. Toolkit-free: a front end's driver performs the actions with
// its own real input events and reports the window as a Snapshot.
//
// The loop every driver runs:
//   monkey::Monkey m(seed);
//   Snapshot before = snap();                 // see Snapshot
//   for (i = 0; i < n; ++i) {
//     Action a = m.next(before);
//     bool ends = monkey::endsProgram(before, a);
//     perform(a);                             // see Action for what each kind means
//     Snapshot after = snap();                // after.ended if the program ended
//     for (auto& f : m.check(before, a, after)) report(i, a, f);
//     if (after.ended) { restart(); after = snap(); report(monkey::checkStart(after)); }
//     before = after;
//   }
// The stream depends only on the seed and on the snapshots, so a seed and an
// event count replay a failure exactly.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace monkey {

using ui::Control;

// Keys sent to whatever control has the focus.
enum class Key {
  Backspace,
  Delete,
  Enter,
  Escape,
  Tab,
  Backtab,  // Shift+Tab
  Space,
  Left,
  Right,
  Home,
  End,
  Up,
  Down,
  SelectAll,  // Ctrl+A
  Undo,       // Ctrl+Z
  Redo,       // Ctrl+Y
  Cut,        // Ctrl+X
  Copy,       // Ctrl+C
};

struct Action {
  enum class Kind {
    // Give `box` the focus with a mouse click unless it has it, then type
    // `text`: one key event carrying the character, or, with inputMethod,
    // one input-method commit of the whole text.
    Type,
    // Put `text` on the clipboard, give `box` the focus as for Type, Ctrl+V.
    Paste,
    // `key` to the focused control.
    Press,
    // A mouse click on the button `box`.
    Click,
    // Entry `anode` of combWL: byMouse opens the list with a click on its
    // arrow and clicks the entry; otherwise click into the field (unless it
    // has the focus), open the list with Alt+Down, Home, Down `anode` times,
    // Enter.
    Choose,
  };
  Kind kind = Kind::Press;
  Control box = Control::txtD;
  std::u32string text;
  bool inputMethod = false;
  Key key = Key::Enter;
  int anode = 0;
  bool byMouse = true;
};

// A message box as it was shown; the driver records every box that opened
// during an action (and dismisses it at once, by any of its usual means).
struct MessageBox {
  std::string text, title;  // UTF-8
  bool criticalIcon = false;
};

// The window after an action, once its event loop is idle again.
struct Snapshot {
  std::array<std::string, ui::kControlCount> text{};  // UTF-8; the five boxes at least
  std::array<bool, ui::kControlCount> enabled{};
  std::optional<Control> focus;   // combWL's own field counts as combWL
  int listIndex = -1;             // combWL's chosen entry, -1 for none
  std::vector<MessageBox> boxes;  // opened during the action, in order
  bool alive = true;              // the window exists, is shown and its loop answers
  bool leftOpen = false;          // a message box or the list still open
  bool ended = false;             // the program ended (its loop returned 0, window gone)
};

struct Options {
  // Title of the keystroke filters' boxes, which name no title of their own.
  std::string filterBoxTitle = "Sorbel";
};

class Monkey {
 public:
  explicit Monkey(std::uint64_t seed, Options options = {});

  // The next action, chosen for the window as it is now.
  Action next(const Snapshot& now);
  // What is wrong with `after`, the window once `a` was done to `before`;
  // empty when everything holds.
  std::vector<std::string> check(const Snapshot& before, const Action& a,
                                 const Snapshot& after) const;

 private:
  std::uint64_t bits();
  int below(int n);
  bool chance(int percent) { return below(100) < percent; }
  Control pickBox(const Snapshot& now);
  char32_t pickChar();
  std::u32string pickPaste();

  std::uint64_t state_;
  Options options_;
};

// True when `a` ends the program (a click on cmdEnd, Space on it).
bool endsProgram(const Snapshot& before, const Action& a);
// What is wrong with the window as it first shows.
std::vector<std::string> checkStart(const Snapshot& s);
// One line for a log: "type txtD 'a'", "choose 5 by keyboard", ...
std::string describe(const Action& a);
std::string utf8(std::u32string_view s);

}  // namespace monkey
