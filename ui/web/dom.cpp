#include "ui/web/dom.h"

#include <emscripten/emscripten.h>

// Plain calls into the page's JavaScript, strings as UTF-8 pointers: far
// smaller than a general binding, which this front end does not need.
// clang-format off
EM_JS(void, js_create, (const char* tag, const char* id, const char* parent), {
  const e = document.createElement(UTF8ToString(tag));
  e.id = UTF8ToString(id);
  document.getElementById(UTF8ToString(parent)).appendChild(e);
});
EM_JS(void, js_attribute, (const char* id, const char* name, const char* value), {
  document.getElementById(UTF8ToString(id)).setAttribute(UTF8ToString(name), UTF8ToString(value));
});
EM_JS(void, js_property, (const char* id, const char* name, const char* value), {
  document.getElementById(UTF8ToString(id))[UTF8ToString(name)] = UTF8ToString(value);
});
EM_JS(void, js_flag, (const char* id, const char* name, int on), {
  document.getElementById(UTF8ToString(id))[UTF8ToString(name)] = on !== 0;
});
EM_JS(void, js_style, (const char* id, const char* name, const char* value), {
  document.getElementById(UTF8ToString(id)).style.setProperty(UTF8ToString(name), UTF8ToString(value));
});
EM_JS(void, js_call, (const char* id, const char* method), {
  const e = document.getElementById(UTF8ToString(id));
  e[UTF8ToString(method)]();
});
EM_JS(int, js_value, (const char* id, char* out, int size), {
  const e = document.getElementById(UTF8ToString(id));
  const v = e.value ?? e.textContent;
  stringToUTF8(v, out, size);
  return lengthBytesUTF8(v) + 1;
});
EM_JS(void, js_select, (const char* id, int from, int to), {
  document.getElementById(UTF8ToString(id)).setSelectionRange(from, to);
});
EM_JS(void, js_insert_typed, (const char* id, const char* text, int from, int to), {
  const box = document.getElementById(UTF8ToString(id));
  let t = UTF8ToString(text);
  const rest = box.value.slice(0, from) + box.value.slice(to);
  if (box.maxLength >= 0) {
    let room = Math.max(0, box.maxLength - rest.length);
    if (room < t.length && room > 0 && t.charCodeAt(room - 1) >= 0xD800 && t.charCodeAt(room - 1) < 0xDC00) --room;
    t = t.slice(0, room);
  }
  box.value = rest.slice(0, from) + t + rest.slice(from);
  box.setSelectionRange(from + t.length, from + t.length);
});
EM_JS(int, js_computed_colour, (const char* css, char* out, int size), {
  const probe = document.createElement('span');
  probe.hidden = true;
  probe.style.color = UTF8ToString(css);
  document.body.appendChild(probe);
  const colour = getComputedStyle(probe).color;
  probe.remove();
  stringToUTF8(colour, out, size);
  return lengthBytesUTF8(colour) + 1;
});
EM_JS(void, js_ready, (), { Module.ready(); });
EM_JS(void, js_close_window, (), { window.close(); });
// clang-format on

namespace ui::web::dom {
namespace {

// NUL-terminated copies for the calls.
struct Z {
  explicit Z(std::string_view s) : s(s) {}
  operator const char*() const { return s.c_str(); }
  std::string s;
};

// A string the page writes into a buffer it is told the size of.
template <class Read>
std::string read(Read read) {
  std::string buf(64, '\0');
  auto need = static_cast<std::size_t>(read(buf.data(), static_cast<int>(buf.size())));
  if (need > buf.size()) {
    buf.resize(need);
    read(buf.data(), static_cast<int>(buf.size()));
  }
  buf.resize(need - 1);
  return buf;
}

}  // namespace

void create(std::string_view tag, std::string_view id, std::string_view parent) {
  js_create(Z(tag), Z(id), Z(parent));
}
void attribute(std::string_view id, std::string_view name, std::string_view value) {
  js_attribute(Z(id), Z(name), Z(value));
}
void property(std::string_view id, std::string_view name, std::string_view value) {
  js_property(Z(id), Z(name), Z(value));
}
void flag(std::string_view id, std::string_view name, bool on) { js_flag(Z(id), Z(name), on); }
void style(std::string_view id, std::string_view name, std::string_view value) {
  js_style(Z(id), Z(name), Z(value));
}
void call(std::string_view id, std::string_view method) { js_call(Z(id), Z(method)); }

std::string value(std::string_view id) {
  const Z z(id);
  return read([&z](char* out, int size) { return js_value(z, out, size); });
}
void select(std::string_view id, int from, int to) { js_select(Z(id), from, to); }
void insertTyped(std::string_view id, std::string_view text, int from, int to) {
  js_insert_typed(Z(id), Z(text), from, to);
}

std::string computedColour(std::string_view css) {
  const Z z(css);
  return read([&z](char* out, int size) { return js_computed_colour(z, out, size); });
}
void ready() { js_ready(); }
void closeWindow() { js_close_window(); }

}  // namespace ui::web::dom
