#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "calc/key_filter.h"

#ifdef _WIN32
#include <windows.h>
#elif defined(__GLIBC__)
#include <iconv.h>
#endif

namespace calc {
namespace {

TEST(Cp936CharCode, Samples) {
  // Single bytes: ASCII, "€" at 0x80 and U+F8F5 (private use) at 0xFF;
  // double bytes from 0x8140 ("丂") to 0xFEFE (U+E4C5, whose user-defined
  // area starts at U+E000 with 0xAAA1), full-width digits and signs among them.
  const std::pair<char32_t, std::uint16_t> codes[] = {
      {U'\0', 0},      {U'\b', 8},        {U'\r', 13},         {U' ', 32},          {U'.', 46},
      {U'0', 48},      {U'?', 63},        {U'A', 65},          {U'~', 126},         {U'\x7F', 127},
      {U'€', 0x80},    {U'\uF8F5', 0xFF}, {U'é', 0xA8A6},      {U'·', 0xA1A4},      {U'θ', 0xA6C8},
      {U'λ', 0xA6CB},  {U'—', 0xA1AA},    {U'　', 0xA1A1},     {U'丂', 0x8140},     {U'啊', 0xB0A1},
      {U'中', 0xD6D0}, {U'齄', 0xF7FE},   {U'\uE000', 0xAAA1}, {U'\uE4C5', 0xFEFE}, {U'０', 0xA3B0},
      {U'９', 0xA3B9}, {U'．', 0xA3AE},   {U'－', 0xA3AD}};
  for (const auto& [ch, code] : codes)
    EXPECT_EQ(static_cast<std::uint16_t>(Cp936CharCode(ch)), code)
        << "U+" << std::hex << std::uppercase << static_cast<std::uint32_t>(ch);
  // "?": the C1 control U+0080 (not byte 0x80), what has a best fit only
  // (no-break space, "²" to "2", "É" to "é", U+30FB), what has none ("¾", the
  // minus sign U+2212), private use beyond the code page's, non-characters,
  // the replacement character, lone surrogates, beyond the BMP, not Unicode.
  for (const char32_t ch : {U'\x80', U'\xA0', U'¾', U'²', U'É', U'−', U'・', U'\uE865', U'\uFDD0',
                            U'\uFFFE', U'\uFFFF', U'\uFFFD', char32_t{0xD800}, char32_t{0xDFFF},
                            U'\U0001F600', U'\U00020000', char32_t{0x110000}, char32_t{0xFFFFFFFF}})
    EXPECT_EQ(Cp936CharCode(ch), '?')
        << "U+" << std::hex << std::uppercase << static_cast<std::uint32_t>(ch);
}

// Every code belongs to one character at most, and every double-byte code
// uses a valid lead and trail byte.
TEST(Cp936CharCode, CodesAreDistinctAndWellFormed) {
  std::vector<char32_t> owner(0x10000, 0xFFFFFFFF);
  for (char32_t ch = 0; ch <= 0xFFFF; ++ch) {
    const std::int16_t code = Cp936CharCode(ch);
    if (code == '?' && ch != U'?') continue;
    const auto bits = static_cast<std::uint16_t>(code);
    ASSERT_EQ(owner[bits], 0xFFFFFFFF) << "code " << code << " twice";
    owner[bits] = ch;
    if (code < 0) {
      const unsigned lead = bits >> 8, trail = bits & 0xFF;
      EXPECT_TRUE(lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail != 0x7F && trail != 0xFF)
          << "code " << code;
    } else {
      EXPECT_TRUE(code < 0x80 || code == 0x80 || code == 0xFF) << "code " << code;
    }
  }
}

#ifdef _WIN32
// The conversion the platform does itself. Lone surrogates are included on
// purpose: the platform must refuse them too.
TEST(Cp936CharCode, AgreesWithWideCharToMultiByte) {
  int compared = 0, encodable = 0;
  for (char32_t ch = 0; ch <= 0xFFFF; ++ch) {
    const wchar_t wide = static_cast<wchar_t>(ch);
    char bytes[2] = {};
    BOOL usedDefault = FALSE;
    const int n =
        WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, 2, nullptr, &usedDefault);
    ASSERT_TRUE(n == 1 || n == 2) << "U+" << std::hex << static_cast<std::uint32_t>(ch);
    const auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
    const std::int16_t expected =
        usedDefault ? '?' : static_cast<std::int16_t>(n == 1 ? b0 : (b0 << 8 | b1));
    EXPECT_EQ(Cp936CharCode(ch), expected) << "U+" << std::hex << static_cast<std::uint32_t>(ch);
    ++compared;
    if (!usedDefault) ++encodable;
  }
  EXPECT_EQ(compared, 0x10000);
  EXPECT_EQ(encodable, 128 + 2 + 126 * 190);  // ASCII, 0x80 and 0xFF, all double-byte codes
}
#elif defined(__GLIBC__)
// glibc's CP936 has no private-use mappings (U+E000..U+E864 for the
// user-defined areas, U+F8F5 for byte 0xFF); elsewhere it agrees with
// Windows code point for code point, "€" at 0x80 included.
TEST(Cp936CharCode, AgreesWithGlibcOutsidePrivateUse) {
  const iconv_t cd = iconv_open("CP936", "UTF-32LE");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  int privateOnly = 0;
  for (char32_t ch = 0; ch <= 0xFFFF; ++ch) {
    if (ch >= 0xD800 && ch <= 0xDFFF) continue;  // not a character glibc accepts
    unsigned char in[4] = {static_cast<unsigned char>(ch), static_cast<unsigned char>(ch >> 8), 0,
                           0};
    unsigned char out[4] = {};
    char* inp = reinterpret_cast<char*>(in);
    char* outp = reinterpret_cast<char*>(out);
    std::size_t inLeft = 4, outLeft = 4;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const bool ok = iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<std::size_t>(-1);
    const std::size_t n = 4 - outLeft;
    const std::int16_t code = Cp936CharCode(ch);
    if (!ok && ((ch >= 0xE000 && ch <= 0xE864) || ch == 0xF8F5)) {
      EXPECT_NE(code, '?') << "U+" << std::hex << static_cast<std::uint32_t>(ch);
      ++privateOnly;
      continue;
    }
    const std::int16_t expected =
        !ok ? '?' : static_cast<std::int16_t>(n == 1 ? out[0] : (out[0] << 8 | out[1]));
    EXPECT_EQ(code, expected) << "U+" << std::hex << static_cast<std::uint32_t>(ch);
  }
  iconv_close(cd);
  EXPECT_EQ(privateOnly, 0xE864 - 0xE000 + 1 + 1);
}
#endif

}  // namespace
}  // namespace calc
