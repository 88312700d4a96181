#include "ui/events.h"

#include <cstdint>

#include "calc/key_filter.h"
#include "ui/handlers.h"
#include "ui/layout.h"

namespace ui {

void loaded(Form& f) { frmXRD_Load(f); }

void clicked(Form& f, Control c) {
  switch (c) {
    case Control::cmdCalculation:
      return cmdCalculation_Click(f);
    case Control::cmdReCalculation:
      return cmdReCalculation_Click(f);
    case Control::cmdEnd:
      return cmdEnd_Click(f);
    default:
      return;
  }
}

void chosen(Form& f, int index) { combWL_Click(f, index); }

Keystroke typed(Form& f, Control box, char32_t ch) {
  // The handlers see what a program of the Chinese locale would: the
  // character's code in code page 936.
  std::int16_t code = calc::Cp936CharCode(ch);
  if (box == Control::txt2X) txt2X_KeyPress(f, code);
  if (box == Control::txtD) txtD_KeyPress(f, code);
  return code == 0 ? Keystroke::Swallow : Keystroke::Insert;
}

char32_t asTyped(Control box, char32_t ch, bool commaDecimals) {
  return commaDecimals && ch == U',' && takesNumber(box) ? U'.' : ch;
}

Committed committed(Form& f, Control box, std::u32string_view text, bool commaDecimals) {
  Committed out;
  for (char32_t typedChar : text) {
    const char32_t ch = asTyped(box, typedChar, commaDecimals);
    if (typed(f, box, ch) == Keystroke::Insert) {
      out.insert += ch;
    } else {
      out.insert.clear();
      out.emptied = true;
    }
  }
  return out;
}

}  // namespace ui
