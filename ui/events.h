#pragma once
#include <string>
#include <string_view>

#include "ui/controls.h"
#include "ui/form.h"

// What a front end reports, in its toolkit's own terms; everything the
// program makes of it is decided here. Each call runs to completion.
namespace ui {

// Once, after the controls exist and before the window first shows.
void loaded(Form& f);

// A push button was pressed (by the mouse or by Space). Other controls: nothing.
void clicked(Form& f, Control c);

// The user chose entry `index` of combWL's list. Typing into its field, or
// the program setting its text, is no choice and is never reported.
void chosen(Form& f, int index);

// A character the user typed into `box` (pasted text and text set by the
// program are not reported). Insert: let the box insert it as usual;
// Swallow: the box must not see it.
enum class Keystroke { Insert, Swallow };
Keystroke typed(Form& f, Control box, char32_t ch);

// The character a box takes for a typed `ch`, to be judged by typed().
// Where the user's language writes decimals with a comma (`commaDecimals`,
// as the front end learns it from its toolkit), a phone's decimal keypad
// offers "," and no ".": a box that takes a number takes its "," as ".".
char32_t asTyped(Control box, char32_t ch, bool commaDecimals);

// An input method's committed text, typed one character after another:
// what the box is to insert. A refused character has emptied the box, so
// only what follows the last one is left; `emptied` tells that it happened.
struct Committed {
  std::u32string insert;
  bool emptied = false;
};
// Each character as asTyped() takes it.
Committed committed(Form& f, Control box, std::u32string_view text, bool commaDecimals = false);

}  // namespace ui
