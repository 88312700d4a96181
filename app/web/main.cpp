// Start-up of the browser front end: the program takes over the window the
// page drew, runs its Load handler, then the page's events until it ends.
#include <emscripten/emscripten.h>

#include "ui/events.h"
#include "ui/waiting_form.h"
#include "ui/web/dom.h"
#include "ui/web/page_events.h"
#include "ui/web/web_form.h"

namespace {

// They live as long as the page: main returns, and the page's events go on.
struct Window {
  ui::web::WebForm page;
  ui::WaitingForm form{page};
};
Window& window() {
  static Window w;
  return w;
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void sorbel_load() {
  ui::loaded(window().form);
  ui::web::dom::ready();
}

// The Load handler in a task of its own: the page stays responsive between
// taking on its colours and filling in the window.
// clang-format off
EM_JS(void, js_load_later, (), { setTimeout(() => _sorbel_load()); });
// clang-format on

int main() {
  Window& w = window();
  ui::web::serve(w.page, w.form);
  js_load_later();
}
