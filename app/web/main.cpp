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

// clang-format off
EM_JS(void, js_later, (int step), { setTimeout(() => _sorbel_start(step)); });
// clang-format on

// Start-up in steps, each a task of its own, so that none holds the page up
// for long, even on a phone's slower processor: the browser's colours read,
// then shown, then the Load handler, and the window is ready for input.
extern "C" EMSCRIPTEN_KEEPALIVE void sorbel_start(int step) {
  static ui::Palette palette;
  Window& w = window();
  switch (step) {
    case 0:
      palette = ui::web::browserPalette();
      break;
    case 1:
      w.page.showColours(palette);
      break;
    default:
      ui::loaded(w.form);
      ui::web::dom::ready();
      return;
  }
  js_later(step + 1);
}

int main() {
  Window& w = window();
  ui::web::serve(w.page, w.form);
  js_later(0);
}
