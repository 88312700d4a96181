#pragma once
#include <cstdint>
#include <string_view>

#include "calc/grain_size_formula.h"
#include "ui/form.h"

// The event handlers of frmXRD, one per control event and named after it.
// They keep no state but the controls. Front ends reach them through
// ui/events.h.
namespace ui {

void frmXRD_Load(Form& f);
void cmdCalculation_Click(Form& f);
// `listIndex` is the entry of combWL's list the user chose.
void combWL_Click(Form& f, int listIndex);
// `keyAscii` is the typed character's code page 936 code; a refused
// keystroke is cancelled by setting it to 0.
void txt2X_KeyPress(Form& f, std::int16_t& keyAscii);
void txtD_KeyPress(Form& f, std::int16_t& keyAscii);
void cmdReCalculation_Click(Form& f);
void cmdEnd_Click(Form& f);

// The text shown for an arithmetic error of the formula.
std::string_view arithmeticErrorMessage(calc::ArithmeticError::Kind kind);

}  // namespace ui
