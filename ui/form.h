#pragma once
#include <string>
#include <string_view>

#include "ui/controls.h"

namespace ui {

enum class MessageIcon { None, Critical };

// What the handlers may do to the window: the whole platform surface they
// rely on. A front end implements it over its toolkit; tests over memory.
// Setting a text from here never raises an event of the window.
class Form {
 public:
  virtual ~Form() = default;

  virtual std::string text(Control c) const = 0;  // UTF-8
  virtual void setText(Control c, std::string_view utf8) = 0;
  virtual void setEnabled(Control c, bool enabled) = 0;
  // The text of the list entry of combWL that the user chose.
  virtual std::string chosenEntry() const = 0;
  virtual void setFocus(Control c) = 0;
  // Modal; returns when dismissed. An empty title stands for the platform's
  // own choice, the application's name.
  virtual void messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) = 0;
  // Ends the program at once; no handler runs after it.
  virtual void end() = 0;
};

}  // namespace ui
