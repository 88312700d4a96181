// Start-up of the browser front end: the window in the page, its Load
// handler, then the page's events until the program ends.
#include "ui/handlers.h"
#include "ui/web/dom.h"
#include "ui/web/page_events.h"
#include "ui/web/web_form.h"

int main() {
  // Lives as long as the page: main returns, and the page's events go on.
  static ui::web::WebForm form("page");
  ui::web::serve(form);
  ui::frmXRD_Load(form);
  ui::web::dom::ready();
}
