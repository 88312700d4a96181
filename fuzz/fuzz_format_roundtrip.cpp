// format() of any double bit pattern: short, plain characters, never "-0",
// the separator only swapped, the same text as printf and std::to_chars, and
// read back by parse() as the value rounded to 15 significant digits; and
// parse() reads std::to_chars' shortest text of it back to it.
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/number_text.h"

namespace {

[[noreturn]] void fail(double x, const std::string& text, const char* what) {
  std::fprintf(stderr, "format(%a) = \"%s\": %s\n", x, text.c_str(), what);
  std::abort();
}

void checkFinite(double x, const std::string& text) {
  if (text.empty() || text.size() > 24) fail(x, text, "length outside 1..24");
  if (text == "-0") fail(x, text, "negative zero");
  if (text.find_first_not_of("0123456789.E+-") != std::string::npos)
    fail(x, text, "character outside [0-9.E+-]");

  // What the header promises: printf's %G with 15 digits (no "-0").
  char g[40];
  std::snprintf(g, sizeof g, "%.15G", x == 0 ? 0.0 : x);
  if (text != g) fail(x, text, ("differs from %.15G: " + std::string(g)).c_str());
  if (x != 0) {  // std::to_chars writes "-0"
    std::string lib(g, std::to_chars(g, g + sizeof g, x, std::chars_format::general, 15).ptr);
    for (char& c : lib) c = c == 'e' ? 'E' : c;
    if (text != lib) fail(x, text, ("differs from std::to_chars: " + lib).c_str());
  }
  const std::string shortest(g, std::to_chars(g, g + sizeof g, x).ptr);
  if (std::bit_cast<std::uint64_t>(calc::NumberText::parse(shortest)) !=
      std::bit_cast<std::uint64_t>(x))
    fail(x, text, ("parse(\"" + shortest + "\"), std::to_chars' shortest text, is not x").c_str());

  char e[40];
  std::snprintf(e, sizeof e, "%.14e", x);  // 15 significant digits
  const double rounded = x == 0 ? 0.0 : std::strtod(e, nullptr);
  const double back = calc::NumberText::parse(text);
  if (std::bit_cast<std::uint64_t>(back) != std::bit_cast<std::uint64_t>(rounded))
    fail(x, text, "parse() does not give the value rounded to 15 digits");
}

void checkNonFinite(double x, const std::string& text) {
  // The formula never yields these; they only need to be recognisable.
  const char* want =
      std::isnan(x) ? (std::signbit(x) ? "-nan" : "nan") : (std::signbit(x) ? "-inf" : "inf");
  if (text != want) fail(x, text, "unexpected text for a non-finite value");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, data, size < sizeof bits ? size : sizeof bits);
  const double x = std::bit_cast<double>(bits);

  const std::string text = calc::NumberText::format(x);
  if (std::isfinite(x))
    checkFinite(x, text);
  else
    checkNonFinite(x, text);

  std::string comma = text;
  for (char& c : comma)
    if (c == '.') c = ',';
  if (calc::NumberText::format(x, ',') != comma) fail(x, text, "separator ',' not just swapped");
  return 0;
}
