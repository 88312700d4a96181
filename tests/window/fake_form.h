#pragma once
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/window/toolkit_driver.h"
#include "ui/form.h"

namespace window {

// frmXRD in memory: a whole front end of ui/ with no toolkit behind it. It
// keeps what a toolkit keeps (texts, caret, enabled states, focus, the
// list's chosen entry), reports the user's input through ui/events.h as a
// toolkit would, and records message boxes, each closed as soon as shown.
class FakeForm : public ui::Form {
 public:
  FakeForm();  // the controls of the layout table, before the Load event

  std::string text(Control c) const override;
  void setText(Control c, std::string_view utf8) override;
  void setEnabled(Control c, bool enabled) override { at(c).enabled = enabled; }
  void setFocus(Control c) override { focus_ = c; }
  void messageBox(std::string_view prompt, std::string_view title, ui::MessageIcon icon) override;
  void end() override { ended_ = true; }

  // The user, at whatever control has the focus.
  void typeChar(char32_t ch);
  void commit(std::u32string_view text);  // an input method's result
  void paste(std::u32string_view text);
  void key(Key k);
  // The user, with the mouse.
  void click(Control c);
  void choose(int index);
  void close() { ended_ = true; }

  bool enabled(Control c) const { return at(c).enabled; }
  std::optional<Control> focus() const { return focus_; }
  int listIndex() const { return listIndex_; }
  bool ended() const { return ended_; }
  std::vector<MessageBox> takeBoxes() { return std::exchange(boxes_, {}); }

 private:
  struct Part {
    std::u32string text;
    std::size_t caret = 0;
    bool allSelected = false;
    bool enabled = true;
  };
  Part& at(Control c) { return parts_[static_cast<std::size_t>(c)]; }
  const Part& at(Control c) const { return parts_[static_cast<std::size_t>(c)]; }
  bool editable(Control c) const;
  void insert(std::u32string_view text);
  void erase(bool before);
  void moveFocus(bool back);
  void step(int by);

  std::array<Part, ui::kControlCount> parts_{};
  std::optional<Control> focus_;
  int listIndex_ = -1;
  bool ended_ = false;
  std::vector<MessageBox> boxes_;
};

// The window scenarios' and the monkey's driver of the fake form.
class FakeDriver final : public ToolkitDriver {
 public:
  FakeDriver() : ToolkitDriver(1) {}
  void start() override;
  bool performEnding(const Action& a) override;
  std::vector<std::string> listEntries() override;

 private:
  Snapshot look() override;
  std::optional<Control> focus() override { return form_->focus(); }
  void click(Control c) override { form_->click(c); }
  void typeChar(char32_t ch) override { form_->typeChar(ch); }
  void commit(const std::u32string& text) override { form_->commit(text); }
  void toClipboard(const std::u32string& text) override { clipboard_ = text; }
  void pasteKey() override { form_->paste(clipboard_); }
  void press(Key k) override { form_->key(k); }
  void chooseByMouse(int anode) override { form_->choose(anode); }
  void chooseByKeyboard(int anode) override { form_->choose(anode); }
  void closeWindow() override { form_->close(); }
  // Its boxes close as they are shown.
  void afterChar() override {}
  void afterAction() override {}

  std::unique_ptr<FakeForm> form_;
  std::u32string clipboard_;
};

}  // namespace window
