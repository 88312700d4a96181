#pragma once
#include <optional>
#include <string>
#include <vector>

#include "tests/monkey/random.h"
#include "tests/window/driver.h"

namespace window {

// What every front end's driver shares: an action made of its toolkit's
// primitives, in one place, and the message boxes kept as they are closed.
// A driver keeps only what its toolkit does its own way.
class ToolkitDriver : public Driver {
 public:
  void perform(const Action& a) override;  // act(a), then afterAction()
  Snapshot snapshot() override;            // look(), with the boxes closed since the last

 protected:
  explicit ToolkitDriver(std::uint64_t seed) : random_(seed ^ 0xD15A1ull) {}

  void act(const Action& a);
  // A click into `c` unless it has the focus.
  void focusBox(Control c);
  // Closes every message box that is up, by any of the usual means (as the
  // seed picks), and keeps what each one showed.
  void dismissBoxes();
  // For a toolkit that closes its boxes by itself: a box it saw, and one
  // that would not close however the user tried (it was closed by force).
  void saw(const MessageBox& b) { seen_.push_back(b); }
  void stuck(const std::string& text) { seen_.push_back({"(would not close) " + text, "", false}); }
  void forgetBoxes() { seen_.clear(); }  // an earlier program's

  // The toolkit's primitives.
  virtual Snapshot look() = 0;
  virtual std::optional<Control> focus() = 0;
  // A mouse click: a button is pressed, a box takes the caret at its end.
  virtual void click(Control c) = 0;
  virtual void typeChar(char32_t ch) = 0;
  virtual void commit(const std::u32string& text) = 0;  // an input method's result
  virtual void toClipboard(const std::u32string& text) = 0;
  virtual void press(Key k) = 0;
  virtual void pasteKey() = 0;  // Ctrl+V
  virtual void chooseByMouse(int anode) = 0;
  virtual void closeWindow() = 0;  // the title bar's close command
  // Put `text` on the clipboard, then Ctrl+V into `box`.
  virtual void paste(Control box, const std::u32string& text);
  // Alt+Down on the list's field; the arrows move the highlight, which the
  // user watches, to the entry; Enter takes it.
  virtual void chooseByKeyboard(int anode);
  virtual void openList() {}
  virtual bool listOpen() { return false; }
  virtual int highlighted() { return -1; }
  // The message box that is up: what it shows; closing it by the `how`th
  // usual means (0 to 3), true if it went; by force.
  virtual std::optional<MessageBox> openBox() { return std::nullopt; }
  virtual bool closeBox(int how) { return how < 0; }
  virtual bool forceClose() { return false; }
  // After each typed character (a refused one's box is closed before the
  // next), and after each action.
  virtual void afterChar() { dismissBoxes(); }
  virtual void afterAction() { dismissBoxes(); }

  monkey::Random random_;

 private:
  std::vector<MessageBox> seen_;
};

}  // namespace window
