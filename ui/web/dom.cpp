#include "ui/web/dom.h"

#include <emscripten/emscripten.h>

#include <cstdint>

// Plain calls into the page's JavaScript, strings as UTF-8 pointers: far
// smaller than a general binding, which this front end does not need.
// clang-format off
EM_JS(void, js_flag, (const char* id, const char* name, int on), {
  document.getElementById(UTF8ToString(id))[UTF8ToString(name)] = on !== 0;
});
EM_JS(void, js_styles, (const char* all), {
  for (const line of UTF8ToString(all).split('\n')) {
    const [id, name, value] = line.split('\t');
    document.getElementById(id).style.setProperty(name, value);
  }
});
EM_JS(void, js_call, (const char* id, const char* method), {
  document.getElementById(UTF8ToString(id))[UTF8ToString(method)]();
});
EM_JS(int, js_value, (const char* id, char* out, int size), {
  const v = document.getElementById(UTF8ToString(id)).value;
  stringToUTF8(v, out, size);
  return lengthBytesUTF8(v) + 1;
});
EM_JS(void, js_set_text, (const char* id, const char* text), {
  Module.page.setText(UTF8ToString(id), UTF8ToString(text));
});
EM_JS(void, js_insert_typed, (const char* id, const char* text, int from, int to), {
  Module.page.insertTyped(document.getElementById(UTF8ToString(id)), UTF8ToString(text), from, to);
});
EM_JS(void, js_show_box, (const char* prompt, const char* title, int critical), {
  Module.page.showBox(UTF8ToString(prompt), UTF8ToString(title), critical !== 0);
});
EM_JS(void, js_end, (), { Module.page.end(); });
EM_JS(void, js_css_colours, (const char* css, std::uint32_t* out), {
  Module.page.cssColours(UTF8ToString(css).split('|')).forEach((c, i) => { HEAPU32[(out >> 2) + i] = c; });
});
EM_JS(void, js_ready, (), { Module.page.ready(); });
// clang-format on

namespace ui::web::dom {
namespace {

// NUL-terminated copies for the calls.
struct Z {
  explicit Z(std::string_view s) : s(s) {}
  operator const char*() const { return s.c_str(); }
  std::string s;
};

}  // namespace

void flag(std::string_view id, std::string_view name, bool on) { js_flag(Z(id), Z(name), on); }
void Styles::set(std::string_view id, std::string_view name, std::string_view value) {
  for (std::string_view part : {id, std::string_view("\t"), name, std::string_view("\t"), value})
    all_ += part;
  all_ += '\n';
}
void Styles::apply() {
  if (all_.empty()) return;
  all_.pop_back();
  js_styles(all_.c_str());
  all_.clear();
}
void call(std::string_view id, std::string_view method) { js_call(Z(id), Z(method)); }

// The page writes into a buffer it is told the size of.
std::string value(std::string_view id) {
  const Z z(id);
  std::string buf(64, '\0');
  auto need = static_cast<std::size_t>(js_value(z, buf.data(), static_cast<int>(buf.size())));
  if (need > buf.size()) {
    buf.resize(need);
    js_value(z, buf.data(), static_cast<int>(buf.size()));
  }
  buf.resize(need - 1);
  return buf;
}

void setText(std::string_view id, std::string_view text) { js_set_text(Z(id), Z(text)); }
void insertTyped(std::string_view id, std::string_view text, int from, int to) {
  js_insert_typed(Z(id), Z(text), from, to);
}
void showBox(std::string_view prompt, std::string_view title, bool critical) {
  js_show_box(Z(prompt), Z(title), critical);
}
void end() { js_end(); }

// 0xAARRGGBB each, from the page.
std::vector<CssColour> cssColours(std::span<const std::string_view> css) {
  std::string names;
  for (std::string_view c : css) names += std::string(names.empty() ? "" : "|") + std::string(c);
  std::vector<std::uint32_t> read(css.size());
  js_css_colours(Z(names), read.data());
  std::vector<CssColour> colours;
  for (std::uint32_t v : read) {
    const auto channel = [v](int shift) { return static_cast<std::uint8_t>(v >> shift); };
    colours.push_back({{channel(16), channel(8), channel(0)}, channel(24) / 255.0});
  }
  return colours;
}
void ready() { js_ready(); }

}  // namespace ui::web::dom
