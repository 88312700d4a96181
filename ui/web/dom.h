#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/colour.h"

// The few things the front end asks of the page, on elements named by their
// ids: a toolkit's surface, kept as small as the Win32 calls the other front
// end makes. What takes more than one step is the page script's
// (widgets.js). Texts are UTF-8.
namespace ui::web::dom {

void flag(std::string_view id, std::string_view name, bool on);  // disabled
// CSS properties of elements' own styles ("--ground", ...), set together in
// one call to the page: one at a time, each call costs more than its work.
class Styles {
 public:
  void set(std::string_view id, std::string_view name, std::string_view value);
  void apply();

 private:
  std::string all_;  // a line each: id, name and value between tabs
};
// The element's method of no arguments (focus).
void call(std::string_view id, std::string_view method);
// An input's text.
std::string value(std::string_view id);

// A box's text, set by the program: its start shows, and no event is raised.
void setText(std::string_view id, std::string_view text);
// Puts `text` in place of the UTF-16 range [from, to) as typed text would
// go in: no further than the box's maximum length, no pair of surrogates
// split. The caret follows it.
void insertTyped(std::string_view id, std::string_view text, int from, int to);
// Opens the page's modal message box; it returns at once.
void showBox(std::string_view prompt, std::string_view title, bool critical);
// The window goes and the page says so; the tab closes where a page may.
void end();

// CSS colours as the browser computes them: their channels and opacity,
// 0 to 1 (0 where the browser gives nothing the page can read).
struct CssColour {
  Rgb rgb;
  double alpha = 0;
};
std::vector<CssColour> cssColours(std::span<const std::string_view> css);
// The page is ready for input.
void ready();

}  // namespace ui::web::dom
