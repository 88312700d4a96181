// Start-up of the browser front end: the program takes over the window the
// page drew, runs its Load handler, then the page's events until it ends.
#include <emscripten/emscripten.h>

#include "ui/events.h"
#include "ui/waiting_form.h"
#include "ui/web/dom.h"
#include "ui/web/page_events.h"
#include "ui/web/web_form.h"

int main() {
  // They live as long as the page: main returns, and the page's events go on.
  static ui::web::WebForm page;
  static ui::WaitingForm form(page);
  ui::web::serve(page, form);
  // The Load handler in a task of its own: the page stays responsive between
  // taking on its colours and filling in the window.
  emscripten_async_call(
      [](void*) {
        ui::loaded(form);
        ui::web::dom::ready();
      },
      nullptr, 0);
}
