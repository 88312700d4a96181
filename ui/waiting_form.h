#pragma once
#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "ui/form.h"

namespace ui {

// For a front end whose message boxes cannot block, such as a browser's: a
// Form over it on which a message box is modal the other way round. The
// front end's messageBox shows the box and returns; what the handlers ask
// for after it is kept and done once the user has dismissed it, in order,
// and text() answers with what they set meanwhile. To the handlers it is as
// if messageBox returned then.
class WaitingForm final : public Form {
 public:
  explicit WaitingForm(Form& shown) : shown_(shown) {}

  std::string text(Control c) const override;
  void setText(Control c, std::string_view utf8) override;
  void setEnabled(Control c, bool enabled) override;
  void setFocus(Control c) override;
  void messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) override;
  void end() override;

  // The open message box is gone: the requests that waited for it run, up
  // to the next box.
  void dismissed();
  // Runs a request of the front end's own now, or in its turn.
  void later(std::function<void()> request);
  bool boxOpen() const { return boxOpen_; }

 private:
  Form& shown_;
  std::deque<std::function<void()>> waiting_;
  std::array<std::optional<std::string>, kControlCount> set_;  // set, not yet shown
  bool boxOpen_ = false;
};

}  // namespace ui
