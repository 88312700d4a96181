// What the page's script saw, handed to ui/events.h: the browser's events
// in, by the ids of the elements they happened to. Texts are UTF-8.
#include "ui/web/page_events.h"

#include <emscripten/emscripten.h>

#include <string_view>

#include "ui/events.h"
#include "ui/web/dom.h"

namespace ui::web {
namespace {

WebForm* form = nullptr;

// The form and the control, unless the program has ended: then no handler runs.
WebForm* live(const char* id, Control& c) {
  if (form == nullptr || form->ended()) return nullptr;
  for (int i = 0; i < kControlCount; ++i)
    if (kControlNames[static_cast<std::size_t>(i)] == std::string_view(id)) {
      c = static_cast<Control>(i);
      return form;
    }
  return nullptr;
}

std::u32string utf32(std::string_view s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t c = n == 1 ? b : b & (0x3F >> (n - 1));
    for (int k = 1; k < n && i + k < s.size(); ++k) c = c << 6 | (s[i + k] & 0x3F);
    out += c;
    i += n;
  }
  return out;
}

std::string utf8(std::u32string_view s) {
  std::string out;
  for (char32_t c : s) {
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    const int n = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    out += static_cast<char>((0xF00u >> n) | (c >> (6 * (n - 1))));
    for (int k = n - 2; k >= 0; --k) out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
  }
  return out;
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
  const ui::Committed kept = ui::committed(*f, c, ui::web::utf32(text));
  if (inserted && !kept.emptied) return;
  // A refused character has emptied the box, once its message was dismissed.
  f->later(
      [c, text = ui::web::utf8(kept.insert), from = kept.emptied ? 0 : from,
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
