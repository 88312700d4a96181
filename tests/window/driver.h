#pragma once
// The window as a user meets it, behind one interface that every front end's
// test driver implements: the in-memory fake form, Qt offscreen, and
// Sorbel.exe under wine. The scenarios and the monkey are written against it.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/utf.h"

namespace window {

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
    // `text`: one key event per character, or, with inputMethod, one
    // input-method commit of the whole text.
    Type,
    // Put `text` on the clipboard, give `box` the focus as for Type, Ctrl+V.
    Paste,
    // `key` to the focused control.
    Press,
    // A mouse click on `box`: a button is pressed, a box takes the focus
    // with the caret at the end of its text.
    Click,
    // Entry `anode` of combWL: byMouse opens the list with a click on its
    // arrow and clicks the entry; otherwise click into the field (unless it
    // has the focus), open the list with Alt+Down, move to the entry with
    // the arrow keys, Enter.
    Choose,
    // The title bar's close command.
    Close,
  };
  Kind kind = Kind::Press;
  Control box = Control::txtD;
  std::u32string text{};
  bool inputMethod = false;
  Key key = Key::Enter;
  int anode = 0;
  bool byMouse = true;
};

// A message box as it was shown. Drivers record every box that opens during
// an action and dismiss it at once, by any of its usual means.
struct MessageBox {
  std::string text, title;  // UTF-8
  bool criticalIcon = false;
  bool okOnly = true;  // one button, OK
  bool operator==(const MessageBox&) const = default;
};

// The window after an action, once its event loop is idle again.
struct Snapshot {
  std::array<std::string, ui::kControlCount> text{};  // UTF-8; the five boxes at least
  std::array<bool, ui::kControlCount> enabled{};
  std::optional<Control> focus{};   // combWL's own field counts as combWL
  int listIndex = -1;               // combWL's chosen entry, -1 for none
  std::vector<MessageBox> boxes{};  // opened since the last snapshot, in order
  bool alive = true;                // the window exists, is shown and its loop answers
  bool leftOpen = false;            // a message box or the list still open
  bool ended = false;               // the program ended (its loop returned 0, window gone)

  const std::string& operator[](Control c) const { return text[static_cast<int>(c)]; }
  bool isEnabled(Control c) const { return enabled[static_cast<int>(c)]; }
};

class Driver {
 public:
  virtual ~Driver() = default;
  // A fresh program with its window shown and idle; any earlier one is gone.
  virtual void start() = 0;
  // Does `a` as a user would; message boxes as above.
  virtual void perform(const Action& a) = 0;
  // Does `a`, which is to end the program: true if it ended, successfully.
  virtual bool performEnding(const Action& a) = 0;
  virtual Snapshot snapshot() = 0;
  // The entries of combWL's list, in order.
  virtual std::vector<std::string> listEntries() = 0;
  // Keeps a picture of the window under `name` (a PNG file name) where the
  // driver can take one.
  virtual void screenshot(const std::string& name) { (void)name; }
};

// The actions, made.
Action typing(Control box, std::u32string text, bool inputMethod = false);
Action pasting(Control box, std::u32string text);
Action pressing(Key k);
Action clicking(Control c);
Action choosing(int anode, bool byMouse = true);
Action closing();

// The window's controls that take text, and its buttons.
inline constexpr std::array kBoxes{Control::txtD, Control::txt2X, Control::combWL,
                                   Control::txtResult, Control::txtWaveLengh};
inline constexpr std::array kButtons{Control::cmdCalculation, Control::cmdReCalculation,
                                     Control::cmdEnd};
// The window as it opens: each box's text and whether it is enabled (every
// button is); no entry of combWL's list is chosen, and txtD has the focus.
struct BoxAtStart {
  Control box;
  std::string_view text;
  bool enabled;
};
inline constexpr BoxAtStart kStart[] = {
    {Control::txtD, "", true},
    {Control::txt2X, "", true},
    {Control::combWL, "Cu", true},
    {Control::txtResult, "", false},
    {Control::txtWaveLengh, "0.154056", false},
};

// Where Tab (back: Shift+Tab) moves the focus from `from`: the next control
// of the tab order that is enabled and no label; none when `from` is not in
// that chain.
std::optional<Control> tabFrom(Control from, bool back,
                               const std::function<bool(Control)>& enabled);

// True when `a` ends the program (a click on cmdEnd, Space on it, closing).
bool endsProgram(const Snapshot& before, const Action& a);
// One line for a log: "type txtD \"a\"", "choose 5 by keyboard", ...
std::string describe(const Action& a);
// A text in quotes, control characters as \xNN.
std::string quoted(std::string_view s);
using ui::utf::utf16Length;
using ui::utf::utf32;
using ui::utf::utf8;

}  // namespace window
