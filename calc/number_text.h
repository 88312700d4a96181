#pragma once
#include <string>
#include <string_view>

namespace calc {

// Text <-> number conversions of the input and result boxes. Independent of
// the process locale: the decimal point of a parsed text is always '.'.
struct NumberText {
  // The leading number of a text: blanks, tabs and line feeds are ignored
  // anywhere; then a sign, digits with at most one '.', an optional exponent,
  // read as far as they fit; "&H"/"&O" start a hexadecimal/octal integer.
  // Full-width digits and full stops (U+FF10..FF19, U+FF0E) read as the
  // ASCII ones they show.
  // No number reads as 0. Correctly rounded; beyond the double range ±inf.
  static double parse(std::string_view utf8Text);

  // At most 15 significant digits, %G-style exponent ("1E+15", "1.23E-05"),
  // no trailing zeros, never "-0".
  static std::string format(double value, char decimalSeparator = '.');
};

}  // namespace calc
