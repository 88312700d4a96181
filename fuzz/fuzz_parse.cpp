// parse() against a slow, plain reading of the same rules: drop the blanks,
// match the longest number-shaped prefix, and let glibc's strtod (correctly
// rounded, any length) give the value, which std::from_chars must give as
// well. Bit patterns must agree, signed zero included.
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calc/number_text.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }

// Octal digits as hex ones with the same bits, for strtod's "0x" form.
std::string octalToHex(const std::string& octal) {
  std::string bits;
  for (char c : octal)
    for (int b = 2; b >= 0; --b) bits += ((c - '0') >> b) & 1 ? '1' : '0';
  bits.insert(0, (4 - bits.size() % 4) % 4, '0');
  std::string hex;
  for (std::size_t i = 0; i < bits.size(); i += 4) {
    int v = 0;
    for (std::size_t j = i; j < i + 4; ++j) v = v * 2 + (bits[j] - '0');
    hex += "0123456789abcdef"[v];
  }
  return hex;
}

// strtod's value of all of a text, "0x" for hexadecimal; std::from_chars,
// which takes neither a '+' nor the "0x" and reports rather than returns
// what lies beyond the range, must agree with it.
double strtodWhole(const std::string& text) {
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  const bool hex = text.rfind("0x", 0) == 0;
  const std::string_view body = std::string_view(text).substr(hex ? 2 : text[0] == '+');
  double c = 0;
  const auto [stop, ec] =
      std::from_chars(body.data(), body.data() + body.size(), c,
                      hex ? std::chars_format::hex : std::chars_format::general);
  if (*end != '\0' || stop != body.data() + body.size() ||
      (ec == std::errc{} && std::bit_cast<std::uint64_t>(c) != std::bit_cast<std::uint64_t>(v))) {
    std::fprintf(stderr, "strtod and from_chars differ on \"%s\": %a, %a\n", text.c_str(), v, c);
    std::abort();
  }
  return v;
}

// The "&H"/"&O" integer after the ampersand, or 0 when no digit follows.
double referenceInteger(const std::string& s) {
  if (s.size() < 2) return 0.0;
  const bool hex = s[1] == 'H' || s[1] == 'h';
  if (!hex && s[1] != 'O' && s[1] != 'o') return 0.0;
  std::string digits;
  for (std::size_t i = 2; i < s.size() && (hex ? isHexDigit(s[i]) : isOctalDigit(s[i])); ++i)
    digits += s[i];
  if (digits.empty()) return 0.0;
  return strtodWhole("0x" + (hex ? digits : octalToHex(digits)));
}

double reference(std::string_view raw) {
  // Blanks dropped; full-width digits and full stops (EF BC 90..99, EF BC 8E)
  // become the ASCII ones they show.
  std::string s;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const auto last = i + 2 < raw.size() ? static_cast<unsigned char>(raw[i + 2]) : 0;
    if (raw[i] == '\xEF' && last && raw[i + 1] == '\xBC' &&
        ((last >= 0x90 && last <= 0x99) || last == 0x8E)) {
      s += last == 0x8E ? '.' : static_cast<char>('0' + (last - 0x90));
      i += 2;
    } else if (raw[i] != ' ' && raw[i] != '\t' && raw[i] != '\n') {
      s += raw[i];
    }
  }
  if (!s.empty() && s[0] == '&') return referenceInteger(s);

  // [+-]? digits* ('.' digits*)? ([eE][+-]? digits+)?
  std::size_t i = 0, mantissaDigits = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  for (; i < s.size() && isDigit(s[i]); ++i) ++mantissaDigits;
  if (i < s.size() && s[i] == '.')
    for (++i; i < s.size() && isDigit(s[i]); ++i) ++mantissaDigits;
  if (mantissaDigits == 0) return 0.0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    const std::size_t firstDigit = j;
    while (j < s.size() && isDigit(s[j])) ++j;
    if (j > firstDigit) i = j;
  }
  return strtodWhole(s.substr(0, i));
}

std::string printable(std::string_view text) {
  std::string out;
  for (unsigned char c : text) {
    char buf[8];
    std::snprintf(buf, sizeof buf, c >= 32 && c < 127 && c != '\\' ? "%c" : "\\x%02x", c);
    out += buf;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double got = calc::NumberText::parse(text);
  const double want = reference(text);
  if (std::bit_cast<std::uint64_t>(got) != std::bit_cast<std::uint64_t>(want)) {
    std::fprintf(stderr, "parse(\"%s\") = %a, reference %a\n", printable(text).c_str(), got, want);
    std::abort();
  }
  return 0;
}
