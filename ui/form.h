#pragma once
#include <string>
#include <string_view>

#include "ui/controls.h"

namespace ui {

enum class MessageIcon { None, Critical };

// What the handlers ask of the window: the whole platform surface they rely
// on. A front end carries these requests out over its toolkit; the tests'
// fake form over memory. Events go the other way, through ui/events.h.
class Form {
 public:
  virtual ~Form() = default;

  virtual std::string text(Control c) const = 0;  // UTF-8
  // Never raises an event of the window, and is never cut to a box's limit.
  virtual void setText(Control c, std::string_view utf8) = 0;
  virtual void setEnabled(Control c, bool enabled) = 0;
  virtual void setFocus(Control c) = 0;
  // Modal, with one OK button; returns when the user has dismissed it.
  virtual void messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) = 0;
  // Ends the program at once; no handler runs after it.
  virtual void end() = 0;
};

}  // namespace ui
