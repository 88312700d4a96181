#pragma once
#include "ui/waiting_form.h"
#include "ui/web/web_form.h"

namespace ui::web {

// From now on the page's events go to `form`, which waits on `page`'s
// message boxes.
void serve(WebForm& page, WaitingForm& form);

}  // namespace ui::web
