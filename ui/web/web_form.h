#pragma once
#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "ui/form.h"
#include "ui/layout.h"
#include "ui/look.h"

namespace ui::web {

// frmXRD over the page's DOM, built from the layout table; every element's id
// is its control's name. The page's script (widgets.js) reports what the
// browser saw through events.cpp, which hands it to ui/events.h.
//
// A browser cannot wait for a dialog inside an event, so a message box is
// modal the other way round: what the handlers ask for after it is kept and
// done once the user has dismissed it, in order. To the handlers it is as if
// messageBox returned then.
class WebForm final : public Form {
 public:
  // Builds the window into the page's element `host`.
  explicit WebForm(std::string_view host);

  std::string text(Control c) const override;
  void setText(Control c, std::string_view utf8) override;
  void setEnabled(Control c, bool enabled) override;
  void setFocus(Control c) override;
  void messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) override;
  void end() override;

  // Takes the browser's colours again (light, dark, forced colours).
  void applyColours();
  // The open message box is gone: the requests that waited for it run.
  void dismissed();
  // Runs `request` now, or once the open message boxes are dismissed.
  void later(std::function<void()> request);
  bool ended() const { return ended_; }

 private:
  void build();
  void make(const ControlSpec& s);
  void makeCombo(const ControlSpec& s);
  void makeDecoration();
  void makeMessageBox();
  void showBox(const std::string& prompt, const std::string& title, MessageIcon icon);
  void finish();

  std::string host_;
  std::deque<std::function<void()>> waiting_;
  std::array<std::optional<std::string>, kControlCount> waitingText_;  // set, not yet shown
  bool boxOpen_ = false;
  bool ended_ = false;
};

// The browser's colours by role, read from the CSS system colours.
Palette browserPalette();

}  // namespace ui::web
