#pragma once
#include <array>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/handlers.h"
#include "ui/layout.h"

namespace ui::test {

// The window in memory: texts, enabled states, focus and a log of the
// message boxes, started from the layout table as a front end would.
class FakeForm : public Form {
 public:
  struct Box {
    std::string prompt, title;
    MessageIcon icon;
  };

  FakeForm() {
    for (const auto& c : kControls) text_[index(c.id)] = std::string(c.text);
    enabled_.fill(true);
  }

  std::string text(Control c) const override { return text_[index(c)]; }
  void setText(Control c, std::string_view t) override { text_[index(c)] = std::string(t); }
  void setEnabled(Control c, bool on) override { enabled_[index(c)] = on; }
  std::string chosenEntry() const override { return chosen; }
  void setFocus(Control c) override { focus = c; }
  void messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) override {
    boxes.push_back({std::string(prompt), std::string(title), icon});
  }
  void end() override { ended = true; }

  bool enabled(Control c) const { return enabled_[index(c)]; }
  // Types one character as the platform would: the handler sees its code
  // first, then the box inserts what was let through.
  void type(Control c, std::int16_t code, std::string_view inserted) {
    keyPress(*this, c, code);
    if (code == 8 && !text_[index(c)].empty()) text_[index(c)].pop_back();
    if (code < 0 || code >= 32) text_[index(c)] += inserted;
  }
  void type(Control c, std::string_view ascii) {
    for (char ch : ascii) type(c, static_cast<std::int16_t>(ch), std::string(1, ch));
  }

  std::string chosen;
  Control focus = Control::txtD;
  std::vector<Box> boxes;
  bool ended = false;

 private:
  static int index(Control c) { return static_cast<int>(c); }
  std::array<std::string, kControlCount> text_;
  std::array<bool, kControlCount> enabled_{};
};

}  // namespace ui::test
