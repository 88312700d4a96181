#pragma once
#include <cstdint>
#include <string_view>

#include "calc/grain_size_formula.h"
#include "ui/form.h"

// The event handlers of frmXRD, one per control event, each run to
// completion on the one thread; they keep no state but the controls.
namespace ui {

inline constexpr std::string_view kEmptyInputMessage = "半峰宽或者2θ角不能为零，请重新输入！";
inline constexpr std::string_view kDefaultWavelength = "0.154056";
inline constexpr std::string_view kDefaultAnode = "Cu";

void frmXRD_Load(Form& f);
void cmdCalculation_Click(Form& f);
void combWL_Click(Form& f);
// `keyAscii` is the typed character's code page 936 code; a refused
// keystroke is cancelled by setting it to 0.
void txt2X_KeyPress(Form& f, std::int16_t& keyAscii);
void txtD_KeyPress(Form& f, std::int16_t& keyAscii);
void cmdReCalculation_Click(Form& f);
void cmdEnd_Click(Form& f);

// The text shown for an arithmetic error of the formula.
std::string_view arithmeticErrorMessage(calc::ArithmeticError::Kind kind);

// What a front end calls on an event: the handler of that control, if any.
void click(Form& f, Control c);
void keyPress(Form& f, Control c, std::int16_t& keyAscii);

}  // namespace ui
