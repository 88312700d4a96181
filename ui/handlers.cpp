#include "ui/handlers.h"

#include "calc/grain_size_formula.h"
#include "calc/key_filter.h"
#include "calc/number_text.h"
#include "calc/wavelength_table.h"
#include "ui/layout.h"

namespace ui {
namespace {

float readSingle(const Form& f, Control c) {
  return static_cast<float>(calc::NumberText::parse(f.text(c)));
}

void filterKey(Form& f, Control box, calc::KeyFilter::Box rule, std::int16_t& keyAscii) {
  if (calc::KeyFilter::accepts(rule, keyAscii)) return;
  f.messageBox(calc::KeyFilter::rejection(rule), "", MessageIcon::None);
  f.setText(box, "");
  keyAscii = 0;
}

}  // namespace

std::string_view arithmeticErrorMessage(calc::ArithmeticError::Kind kind) {
  switch (kind) {
    case calc::ArithmeticError::Kind::DivisionByZero:
      return "计算出错：除数为零。请检查半峰宽（不能为零）后重新计算。";
    case calc::ArithmeticError::Kind::Overflow:
      return "计算出错：溢出，结果超出数值范围。请检查输入的数值后重新计算。";
    case calc::ArithmeticError::Kind::InvalidOperation:
      break;
  }
  return "计算出错：无效的运算。请检查输入的数值后重新计算。";
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
    f.messageBox(kEmptyInputMessage, kWindow.caption, MessageIcon::Critical);
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

void combWL_Click(Form& f) {
  const calc::AnodeWavelength* anode = calc::findAnode(f.chosenEntry());
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
  f.setText(Control::txtWaveLengh, kDefaultWavelength);
  f.setText(Control::combWL, kDefaultAnode);
  f.setEnabled(Control::txtResult, false);
  f.setFocus(Control::txtD);
}

void cmdEnd_Click(Form& f) { f.end(); }

void click(Form& f, Control c) {
  switch (c) {
    case Control::cmdCalculation:
      return cmdCalculation_Click(f);
    case Control::cmdReCalculation:
      return cmdReCalculation_Click(f);
    case Control::cmdEnd:
      return cmdEnd_Click(f);
    case Control::combWL:
      return combWL_Click(f);
    default:
      return;
  }
}

void keyPress(Form& f, Control c, std::int16_t& keyAscii) {
  if (c == Control::txt2X) txt2X_KeyPress(f, keyAscii);
  if (c == Control::txtD) txtD_KeyPress(f, keyAscii);
}

}  // namespace ui
