#pragma once
// UTF-8 <-> UTF-32 for the texts the front ends and tests pass around, and
// a text's length as the boxes count it. Header only, standard library only.
#include <cstddef>
#include <string>
#include <string_view>

namespace ui::utf {

// Decodes UTF-8; a byte that starts no well-formed sequence reads as
// U+FFFD, so text from outside (a browser, a clipboard) is never misread
// as another character.
inline std::u32string utf32(std::string_view s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto lead = static_cast<unsigned char>(s[i]);
    const int n = lead < 0x80   ? 1
                  : lead < 0xC2 ? 0
                  : lead < 0xE0 ? 2
                  : lead < 0xF0 ? 3
                  : lead < 0xF5 ? 4
                                : 0;
    char32_t c = n <= 1 ? lead : lead & (0x7F >> n);
    int k = 1;
    for (; k < n && i + k < s.size(); ++k) {
      const auto b = static_cast<unsigned char>(s[i + k]);
      if ((b & 0xC0) != 0x80) break;
      c = (c << 6) | (b & 0x3F);
    }
    const bool overlong = (n == 3 && c < 0x800) || (n == 4 && c < 0x10000);
    if (n == 0 || k < n || overlong || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
      out += U'\uFFFD';
      i += n == 0 ? 1 : static_cast<std::size_t>(k);
      continue;
    }
    out += c;
    i += static_cast<std::size_t>(n);
  }
  return out;
}

inline std::string utf8(std::u32string_view s) {
  std::string out;
  for (char32_t c : s) {
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    const int n = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    out += static_cast<char>((0xF00u >> n) | (c >> (6 * (n - 1))));
    for (int k = n - 2; k >= 0; --k) out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
  }
  return out;
}

// In UTF-16 code units, as a box's maximum length and its caret count.
inline std::size_t utf16Length(std::u32string_view s) {
  std::size_t n = 0;
  for (char32_t c : s) n += c > 0xFFFF ? 2 : 1;
  return n;
}
inline std::size_t utf16Length(std::string_view utf8) { return utf16Length(utf32(utf8)); }

}  // namespace ui::utf
