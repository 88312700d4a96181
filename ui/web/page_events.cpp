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

WebForm* shown = nullptr;
WaitingForm* form = nullptr;

// The form and the control, unless the program has ended: then no handler runs.
WaitingForm* live(const char* id, Control& c) {
  const std::optional<Control> named = controlNamed(id);
  if (form == nullptr || shown->ended() || !named) return nullptr;
  c = *named;
  return form;
}

}  // namespace

void serve(WebForm& page, WaitingForm& f) {
  shown = &page;
  form = &f;
}

}  // namespace ui::web

using ui::web::live;

extern "C" {

EMSCRIPTEN_KEEPALIVE void sorbel_clicked(const char* id) {
  ui::Control c;
  if (ui::WaitingForm* f = live(id, c)) ui::clicked(*f, c);
}

// The character the browser is to insert for the one typed, 0 for none.
// `commaDecimals`: the browser's language writes decimals with a comma.
EMSCRIPTEN_KEEPALIVE int sorbel_typed(const char* id, int codePoint, int commaDecimals) {
  ui::Control c;
  ui::WaitingForm* f = live(id, c);
  if (f == nullptr) return 0;
  const char32_t ch = ui::asTyped(c, static_cast<char32_t>(codePoint), commaDecimals != 0);
  return ui::typed(*f, c, ch) == ui::Keystroke::Insert ? static_cast<int>(ch) : 0;
}

// An input method's text for the UTF-16 range [from, to) of the box;
// `inserted` when the browser has put it there already (a composition's end).
EMSCRIPTEN_KEEPALIVE void sorbel_committed(const char* id, const char* text, int from, int to,
                                           int inserted, int commaDecimals) {
  ui::Control c;
  ui::WaitingForm* f = live(id, c);
  if (f == nullptr) return;
  const std::u32string typed = ui::utf::utf32(text);
  const ui::Committed kept = ui::committed(*f, c, typed, commaDecimals != 0);
  if (inserted && !kept.emptied && kept.insert == typed) return;
  // A refused character has emptied the box, once its message was dismissed.
  f->later(
      [c, text = ui::utf::utf8(kept.insert), from = kept.emptied ? 0 : from,
       to = kept.emptied ? 0 : to] { ui::web::dom::insertTyped(ui::nameOf(c), text, from, to); });
}

EMSCRIPTEN_KEEPALIVE void sorbel_chosen(int index) {
  ui::Control c;
  if (ui::WaitingForm* f = live("combWL", c)) ui::chosen(*f, index);
}

EMSCRIPTEN_KEEPALIVE void sorbel_dismissed() {
  if (ui::web::form != nullptr) ui::web::form->dismissed();
}

EMSCRIPTEN_KEEPALIVE void sorbel_colours_changed() {
  ui::Control c;
  if (live("txtD", c)) ui::web::shown->applyColours();
}

}  // extern "C"
