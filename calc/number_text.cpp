#include "calc/number_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "calc/decimal.h"

namespace calc {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// More significant digits than any double needs to round correctly (767):
// the rest can stand as one sticky digit. Hex and octal likewise, far
// beyond 53 bits (octal digits are regrouped into hex ones).
constexpr std::size_t kMaxDecimalDigits = 800;
constexpr std::size_t kMaxHexDigits = 30;
// Exponents and digit counts saturate here: far beyond the range of a
// double, far within that of int64.
constexpr std::int64_t kHuge = std::int64_t{1} << 50;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(int c) { return c >= '0' && c <= '9'; }
int hexValue(int c) {
  if (isDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::int64_t add(std::int64_t a, std::int64_t b) {
  const std::int64_t s = a + b;  // both within ±2^51: cannot overflow
  return s > kHuge ? kHuge : (s < -kHuge ? -kHuge : s);
}

// The ASCII character that a full-width digit or full stop (U+FF10..FF19,
// U+FF0E, typed by a Chinese input method in full-width mode) shows, if the
// three bytes at `at` are one; otherwise 0.
char fullWidth(std::string_view text, std::size_t at) {
  if (text.size() - at < 3 || text[at] != '\xEF' || text[at + 1] != '\xBC') return 0;
  const auto last = static_cast<unsigned char>(text[at + 2]);
  if (last >= 0x90 && last <= 0x99) return static_cast<char>('0' + (last - 0x90));
  return last == 0x8E ? '.' : 0;
}

// Reads a text character by character; blanks are invisible, and full-width
// digits and full stops read as the ASCII ones they show.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}
  // The next character, or -1 at the end; skip() steps over it.
  int peek() {
    while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
    if (pos_ >= text_.size()) return -1;
    const auto c = static_cast<unsigned char>(text_[pos_]);
    const char wide = c == 0xEF ? fullWidth(text_, pos_) : 0;
    width_ = wide ? 3 : 1;
    return wide ? wide : c;
  }
  void skip() { pos_ += width_; }
  bool take(char a, char b) {
    const int c = peek();
    if (c != a && c != b) return false;
    skip();
    return true;
  }
  std::size_t mark() const { return pos_; }
  void rewind(std::size_t mark) { pos_ = mark; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0, width_ = 1;
};

// The significant digits of a number, at most `max` of them, with room for
// a sticky digit and an exponent suffix.
class Digits {
 public:
  enum class Fate { LeadingZero, Kept, Dropped };

  explicit Digits(std::size_t max) : max_(max) {}
  Fate push(char c) {
    if (count_ == 0 && c == '0') return Fate::LeadingZero;
    if (count_ == max_) {
      sticky_ = sticky_ || c != '0';
      return Fate::Dropped;
    }
    buf_[count_++] = c;
    return Fate::Kept;
  }
  bool empty() const { return count_ == 0; }
  std::size_t count() const { return count_; }
  // Stands one non-zero digit for the dropped ones: it lies strictly between
  // the same two neighbouring kept values, which is all rounding looks at.
  // True if a digit was added.
  bool seal() {
    if (sticky_) buf_[count_++] = '1';
    return sticky_;
  }
  std::string_view text() const { return {buf_, count_}; }

 private:
  std::size_t max_;
  std::size_t count_ = 0;
  bool sticky_ = false;
  char buf_[kMaxDecimalDigits + 1];
};

// The signed digits after an "E", saturating; false if there are none.
bool readExponent(Reader& r, std::int64_t& exponent) {
  const std::size_t start = r.mark();
  bool negative = false;
  if (r.peek() == '+' || r.peek() == '-') {
    negative = r.peek() == '-';
    r.skip();
  }
  if (!isDigit(r.peek())) {
    r.rewind(start);
    return false;
  }
  std::int64_t e = 0;
  for (int c = r.peek(); isDigit(c); c = r.peek()) {
    e = e > kHuge ? e : e * 10 + (c - '0');
    r.skip();
  }
  exponent = negative ? -e : e;
  return true;
}

double readDecimal(Reader& r, bool negative) {
  Digits digits(kMaxDecimalDigits);
  std::int64_t scale = 0;  // value = digits × 10^scale
  bool anyDigit = false, point = false;
  for (int c = r.peek();; c = r.peek()) {
    if (isDigit(c)) {
      anyDigit = true;
      const Digits::Fate fate = digits.push(static_cast<char>(c));
      if (point && fate != Digits::Fate::Dropped) scale = add(scale, -1);
      if (!point && fate == Digits::Fate::Dropped) scale = add(scale, 1);
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
    r.skip();
  }
  if (!anyDigit) return 0.0;  // a sign or a point alone is no number

  const std::size_t beforeE = r.mark();
  std::int64_t exponent = 0;
  if (r.take('E', 'e') && readExponent(r, exponent)) {
    scale = add(scale, exponent);
  } else {
    r.rewind(beforeE);  // "1e" and "1e+" end before the E
  }

  const double zero = negative ? -0.0 : 0.0;
  if (digits.empty()) return zero;
  if (digits.seal()) scale = add(scale, -1);
  // 10^(magnitude-1) <= |value| < 10^magnitude.
  const std::int64_t magnitude = scale + static_cast<std::int64_t>(digits.count());
  if (magnitude > 400) return negative ? -kInf : kInf;
  if (magnitude < -400) return zero;
  const double v = decimal::fromDecimal(digits.text(), static_cast<int>(scale));
  return negative ? -v : v;
}

// "&H" and "&O" integers: their bits regrouped into hex digits, read as a
// hexadecimal float so that the value is rounded once.
double readInteger(Reader& r, int bitsPerDigit) {
  const int radix = 1 << bitsPerDigit;
  Digits hex(kMaxHexDigits);
  std::int64_t exponent = 0;  // in bits
  unsigned pending = 0;       // bits not yet grouped into a hex digit
  int pendingBits = 0;
  auto emit = [&](unsigned nibble) {
    if (hex.push("0123456789abcdef"[nibble]) == Digits::Fate::Dropped) exponent = add(exponent, 4);
  };
  for (int v = hexValue(r.peek()); v >= 0 && v < radix; v = hexValue(r.peek())) {
    pending = (pending << bitsPerDigit) | static_cast<unsigned>(v);
    pendingBits += bitsPerDigit;
    if (pendingBits >= 4) {
      pendingBits -= 4;
      emit((pending >> pendingBits) & 15u);
      pending &= (1u << pendingBits) - 1;
    }
    r.skip();
  }
  if (pendingBits > 0) {  // the last bits, as the top of one more digit
    emit(pending << (4 - pendingBits));
    exponent -= 4 - pendingBits;
  }
  if (hex.empty()) return 0.0;
  if (hex.seal()) exponent -= 4;
  if (exponent > 2000) return kInf;
  return decimal::fromHex(hex.text(), static_cast<int>(exponent));
}

}  // namespace

double NumberText::parse(std::string_view utf8Text) {
  Reader r(utf8Text);
  if (r.peek() == '&') {
    r.skip();
    if (r.take('H', 'h')) return readInteger(r, 4);
    if (r.take('O', 'o')) return readInteger(r, 3);
    return 0.0;
  }
  bool negative = false;
  if (r.peek() == '+' || r.peek() == '-') {
    negative = r.peek() == '-';
    r.skip();
  }
  return readDecimal(r, negative);
}

std::string NumberText::format(double value, char decimalSeparator) {
  if (value == 0) return "0";  // also for -0
  const auto bits = __builtin_bit_cast(std::uint64_t, value);
  const std::string_view sign = bits >> 63 ? "-" : "";
  const int biased = static_cast<int>(bits >> 52 & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased == 0x7FF) return std::string(sign) + (fraction != 0 ? "nan" : "inf");

  // value = ±m × 2^e, rounded to 15 significant digits d0.d1…
  // × 10^x; then printf's %.15G: positional for -4 <= x < 15, without
  // trailing zeros. Written into one buffer, at most 22 characters.
  const std::uint64_t m = biased == 0 ? fraction : fraction | std::uint64_t{1} << 52;
  const int e = (biased == 0 ? 1 : biased) - 1075;
  const auto [digits, x] = decimal::toDecimal(m, e, 15);
  const std::string_view d = digits;
  char text[32];
  char* out = std::copy(sign.begin(), sign.end(), text);
  auto put = [&out](std::string_view part) { out = std::copy(part.begin(), part.end(), out); };
  if (x < -4 || x >= 15) {
    *out++ = d[0];
    if (d.size() > 1) {
      *out++ = decimalSeparator;
      put(d.substr(1));
    }
    const int power = x < 0 ? -x : x;
    put(x < 0 ? "E-" : "E+");
    if (power >= 100) *out++ = static_cast<char>('0' + power / 100);
    *out++ = static_cast<char>('0' + power / 10 % 10);
    *out++ = static_cast<char>('0' + power % 10);
  } else if (x < 0) {
    put("0");
    *out++ = decimalSeparator;
    out = std::fill_n(out, -x - 1, '0');
    put(d);
  } else if (const auto whole = static_cast<std::size_t>(x) + 1; d.size() <= whole) {
    put(d);
    out = std::fill_n(out, whole - d.size(), '0');
  } else {
    put(d.substr(0, whole));
    *out++ = decimalSeparator;
    put(d.substr(whole));
  }
  return std::string(text, out);
}

}  // namespace calc
