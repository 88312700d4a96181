// What the page's script saw, handed to ui/events.h: the browser's events
// in, by the ids of the elements they happened to. Texts are UTF-8.
#include "ui/web/page_events.h"

#include <emscripten/emscripten.h>

#include <string_view>

#include "ui/events.h"
#include "ui/utf.h"
#include "ui/web/dom.h"

namespace ui::web {
namespace {

WebForm* form = nullptr;

// The form and the control, unless the program has ended: then no handler runs.
WebForm* live(const char* id, Control& c) {
  const std::optional<Control> named = controlNamed(id);
  if (form == nullptr || form->ended() || !named) return nullptr;
  c = *named;
  return form;
}

}  // namespace

void serve(WebForm& f) { form = &f; }

}  // namespace ui::web

using ui::web::live;

extern "C" {

EMSCRIPTEN_KEEPALIVE void sorbel_clicked(const char* id) {
  ui::Control c;
  if (ui::web::WebForm* f = live(id, c)) ui::clicked(*f, c);
}

// 1: the browser inserts the character as usual; 0: it must not.
EMSCRIPTEN_KEEPALIVE int sorbel_typed(const char* id, int codePoint) {
  ui::Control c;
  ui::web::WebForm* f = live(id, c);
  return f && ui::typed(*f, c, static_cast<char32_t>(codePoint)) == ui::Keystroke::Insert;
}

// An input method's text for the UTF-16 range [from, to) of the box;
// `inserted` when the browser has put it there already (a composition's end).
EMSCRIPTEN_KEEPALIVE void sorbel_committed(const char* id, const char* text, int from, int to,
                                           int inserted) {
  ui::Control c;
  ui::web::WebForm* f = live(id, c);
  if (f == nullptr) return;
  const ui::Committed kept = ui::committed(*f, c, ui::utf::utf32(text));
  if (inserted && !kept.emptied) return;
  // A refused character has emptied the box, once its message was dismissed.
  f->later(
      [c, text = ui::utf::utf8(kept.insert), from = kept.emptied ? 0 : from,
       to = kept.emptied ? 0 : to] { ui::web::dom::insertTyped(ui::nameOf(c), text, from, to); });
}

EMSCRIPTEN_KEEPALIVE void sorbel_chosen(int index) {
  ui::Control c;
  if (ui::web::WebForm* f = live("combWL", c)) ui::chosen(*f, index);
}

EMSCRIPTEN_KEEPALIVE void sorbel_dismissed() {
  if (ui::web::form != nullptr) ui::web::form->dismissed();
}

EMSCRIPTEN_KEEPALIVE void sorbel_colours_changed() {
  ui::Control c;
  if (ui::web::WebForm* f = live("txtD", c)) f->applyColours();
}

}  // extern "C"
