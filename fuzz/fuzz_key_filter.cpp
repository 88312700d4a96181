// Cp936CharCode and KeyFilter on any code point and any 16-bit code: the
// accepted sets as stated, no non-ASCII character passing as an ASCII one,
// and the common ideographs coded as glibc's GBK converter codes them.
#include <iconv.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calc/key_filter.h"

namespace {

using calc::KeyFilter;

[[noreturn]] void fail(std::uint32_t cp, int code, const char* what) {
  std::fprintf(stderr, "U+%04X -> %d: %s\n", cp, code, what);
  std::abort();
}

bool plainlyNumeric(int k) { return k <= 32 || k == 46 || (k >= 48 && k <= 57); }

// The GBK code of an ideograph U+4E00..U+9FA5, all of which every GBK
// variant codes alike, as a signed 16-bit number.
int gbkCode(std::uint32_t cp) {
  static iconv_t cd = iconv_open("GBK", "UTF-32LE");
  if (cd == reinterpret_cast<iconv_t>(-1)) std::abort();
  char in[4], out[4];
  std::memcpy(in, &cp, 4);
  char *pin = in, *pout = out;
  std::size_t nin = 4, nout = 4;
  if (iconv(cd, &pin, &nin, &pout, &nout) == static_cast<std::size_t>(-1) || nout != 2)
    fail(cp, 0, "not in glibc's GBK");
  return static_cast<std::int16_t>((static_cast<unsigned char>(out[0]) << 8) |
                                   static_cast<unsigned char>(out[1]));
}

void checkCharCode(std::uint32_t cp) {
  const int code = calc::Cp936CharCode(static_cast<char32_t>(cp));
  const bool refused =
      !KeyFilter::accepts(KeyFilter::Box::txt2X, static_cast<std::int16_t>(code)) &&
      !KeyFilter::accepts(KeyFilter::Box::txtD, static_cast<std::int16_t>(code));
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    if (code != '?' || !refused) fail(cp, code, "no character, yet not the refused '?'");
  } else if (cp < 0x80) {
    if (code != static_cast<int>(cp)) fail(cp, code, "ASCII not coded as itself");
  } else if (code >= 0) {
    // Single bytes beyond ASCII: the euro sign, and 0xFF for the one
    // private-use character the Windows table gives it; otherwise '?'.
    const bool ok = code == '?' || (code == 0x80 && cp == 0x20AC) || (code == 0xFF && cp == 0xF8F5);
    if (!ok) fail(cp, code, "non-ASCII character coded as a single byte");
  } else {
    const unsigned lead = (static_cast<unsigned>(code) >> 8) & 0xFF, trail = code & 0xFF;
    if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE || trail == 0x7F)
      fail(cp, code, "not a double-byte code of the code page");
  }
  if (cp >= 0x4E00 && cp <= 0x9FA5 && code != gbkCode(cp))
    fail(cp, code, "ideograph coded unlike GBK");
}

void checkFilter(std::int16_t k) {
  const bool x = KeyFilter::accepts(KeyFilter::Box::txt2X, k);
  const bool d = KeyFilter::accepts(KeyFilter::Box::txtD, k);
  if (x != plainlyNumeric(k)) fail(0, k, "txt2X accepts the wrong set");
  if (d != (plainlyNumeric(k) || k == 190)) fail(0, k, "txtD accepts the wrong set");
  if (x && !d) fail(0, k, "accepted by txt2X but not by txtD");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint8_t in[6] = {};
  std::memcpy(in, data, size < sizeof in ? size : sizeof in);
  std::uint32_t cp;
  std::uint16_t k;
  std::memcpy(&cp, in, 4);
  std::memcpy(&k, in + 4, 2);
  checkCharCode(cp);
  checkFilter(static_cast<std::int16_t>(k));
  if (KeyFilter::rejection(KeyFilter::Box::txt2X).empty() ||
      KeyFilter::rejection(KeyFilter::Box::txt2X) == KeyFilter::rejection(KeyFilter::Box::txtD))
    fail(0, 0, "rejection messages empty or alike");
  return 0;
}
