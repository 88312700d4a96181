#pragma once
#include <string>
#include <string_view>

// The few things the front end asks of the page, on elements named by their
// ids: a toolkit's surface, kept as small as the Win32 calls the other front
// end makes. Texts are UTF-8.
namespace ui::web::dom {

// A new <tag id="id"> as the last child of the element `parent`.
void create(std::string_view tag, std::string_view id, std::string_view parent);
void attribute(std::string_view id, std::string_view name, std::string_view value);
// A property of the element (value, textContent, className, type, ...).
void property(std::string_view id, std::string_view name, std::string_view value);
void flag(std::string_view id, std::string_view name, bool on);  // disabled, hidden
// A CSS property of the element's own style ("left", "--ground", ...).
void style(std::string_view id, std::string_view name, std::string_view value);
// The element's method of no arguments (focus, showModal, remove).
void call(std::string_view id, std::string_view method);

// An input's text, and its caret or selection in UTF-16 units.
std::string value(std::string_view id);
void select(std::string_view id, int from, int to);
// Puts `text` in place of [from, to) as typed text would go in: no further
// than the box's maximum length, no pair of surrogates split. The caret
// follows it.
void insertTyped(std::string_view id, std::string_view text, int from, int to);

// A CSS colour as the browser computes it: "rgb(r, g, b)" or "rgba(...)".
std::string computedColour(std::string_view css);
// The page is ready for input; and the tab closes, where a page may close it.
void ready();
void closeWindow();

}  // namespace ui::web::dom
