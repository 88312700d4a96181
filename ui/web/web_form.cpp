#include "ui/web/web_form.h"

#include "ui/web/dom.h"

namespace ui::web {

std::string WebForm::text(Control c) const { return dom::value(nameOf(c)); }

void WebForm::setText(Control c, std::string_view utf8) { dom::setText(nameOf(c), utf8); }

void WebForm::setEnabled(Control c, bool enabled) { dom::flag(nameOf(c), "disabled", !enabled); }

void WebForm::setFocus(Control c) { dom::call(nameOf(c), "focus"); }

void WebForm::messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) {
  dom::showBox(prompt, title, icon == MessageIcon::Critical);
}

void WebForm::end() {
  ended_ = true;
  dom::end();
}

}  // namespace ui::web
