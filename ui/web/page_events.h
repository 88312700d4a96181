#pragma once
#include "ui/web/web_form.h"

namespace ui::web {

// The form that the page's events go to, from now on.
void serve(WebForm& form);

}  // namespace ui::web
