#pragma once
#include <string>

#include "ui/form.h"
#include "ui/look.h"

namespace ui::web {

// frmXRD over the page's DOM: the window the page drew from its markup
// (app/web/markup.cpp), where every element's id is its control's name.
// The page's script (widgets.js) reports what the browser saw through
// page_events.cpp, which hands it to ui/events.h.
//
// A browser cannot wait for a dialog inside an event: messageBox opens the
// page's and returns, and the handlers reach this form through a
// ui::WaitingForm, which keeps what they ask for until it is dismissed.
//
// It takes the drawn window over as it is, the focus where the markup put
// it; the window has the browser's colours once applyColours has run.
class WebForm final : public Form {
 public:
  std::string text(Control c) const override;
  void setText(Control c, std::string_view utf8) override;
  void setEnabled(Control c, bool enabled) override;
  void setFocus(Control c) override;
  void messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) override;
  void end() override;

  // Takes the browser's colours (light, dark, forced colours), at start and
  // at each change.
  void applyColours();
  // The window in the colours of a palette read before (browserPalette).
  void showColours(const Palette& p);
  bool ended() const { return ended_; }

 private:
  bool ended_ = false;
};

// The browser's colours by role, read from the CSS system colours.
Palette browserPalette();

}  // namespace ui::web
