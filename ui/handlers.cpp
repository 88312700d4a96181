#include "ui/handlers.h"

#include "calc/grain_size_formula.h"
#include "calc/key_filter.h"
#include "calc/number_text.h"
#include "calc/wavelength_table.h"
#include "ui/layout.h"
#include "ui/texts.h"

namespace ui {
namespace {

float readSingle(const Form& f, Control c) {
  return static_cast<float>(calc::NumberText::parse(f.text(c)));
}

void filterKey(Form& f, Control box, calc::KeyFilter::Box rule, std::int16_t& keyAscii) {
  if (calc::KeyFilter::accepts(rule, keyAscii)) return;
  // No title of its own: the platform shows the application's name.
  f.messageBox(calc::KeyFilter::rejection(rule), texts::kAppName, MessageIcon::None);
  f.setText(box, "");
  keyAscii = 0;
}

}  // namespace

std::string_view arithmeticErrorMessage(calc::ArithmeticError::Kind kind) {
  switch (kind) {
    case calc::ArithmeticError::Kind::DivisionByZero:
      return texts::kDivisionByZero;
    case calc::ArithmeticError::Kind::Overflow:
      return texts::kOverflow;
    case calc::ArithmeticError::Kind::InvalidOperation:
      break;
  }
  return texts::kInvalidOperation;
}

void frmXRD_Load(Form& f) {
  f.setText(Control::txtD, "");
  f.setText(Control::txt2X, "");
  f.setText(Control::txtResult, "");
  f.setEnabled(Control::txtResult, false);
  f.setEnabled(Control::txtWaveLengh, false);
}

void cmdCalculation_Click(Form& f) {
  const float beta = readSingle(f, Control::txtD);
  const float twoTheta = readSingle(f, Control::txt2X);
  const float lambda = readSingle(f, Control::txtWaveLengh);
  f.setEnabled(Control::txtResult, true);
  if (f.text(Control::txt2X).empty() || f.text(Control::txtD).empty()) {
    f.messageBox(texts::kEmptyInput, kWindow.caption, MessageIcon::Critical);
    f.setFocus(Control::txtD);
    f.setEnabled(Control::txtResult, false);
    return;
  }
  try {
    f.setText(Control::txtResult,
              calc::NumberText::format(calc::GrainSizeFormula(beta, twoTheta, lambda)));
  } catch (const calc::ArithmeticError& e) {
    // Reported, and the window goes on: the boxes keep what they hold.
    f.messageBox(arithmeticErrorMessage(e.kind()), kWindow.caption, MessageIcon::Critical);
  }
}

void combWL_Click(Form& f, int listIndex) {
  if (listIndex < 0 || static_cast<std::size_t>(listIndex) >= kAnodeCount) return;
  const calc::AnodeWavelength* anode = calc::findAnode(anodeEntry(listIndex));
  if (anode == nullptr) return;
  if (anode->wavelengthNm) {
    f.setText(Control::txtWaveLengh, *anode->wavelengthNm);
    f.setEnabled(Control::txtWaveLengh, false);
  } else {
    f.setEnabled(Control::txtWaveLengh, true);
    f.setFocus(Control::txtWaveLengh);
    f.setText(Control::txtWaveLengh, "");
  }
}

void txt2X_KeyPress(Form& f, std::int16_t& keyAscii) {
  filterKey(f, Control::txt2X, calc::KeyFilter::Box::txt2X, keyAscii);
}

void txtD_KeyPress(Form& f, std::int16_t& keyAscii) {
  filterKey(f, Control::txtD, calc::KeyFilter::Box::txtD, keyAscii);
}

void cmdReCalculation_Click(Form& f) {
  f.setText(Control::txtD, "");
  f.setText(Control::txt2X, "");
  f.setText(Control::txtResult, "");
  f.setText(Control::txtWaveLengh, spec(Control::txtWaveLengh).text);
  f.setText(Control::combWL, spec(Control::combWL).text);
  f.setEnabled(Control::txtResult, false);
  f.setFocus(Control::txtD);
}

void cmdEnd_Click(Form& f) { f.end(); }

}  // namespace ui
