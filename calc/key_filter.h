#pragma once
#include <cstdint>
#include <string_view>

namespace calc {

// The keystroke rule of the two numeric boxes. A typed character arrives as
// its signed 16-bit code in the ANSI code page 936.
struct KeyFilter {
  enum class Box { txt2X, txtD };

  static bool accepts(Box box, std::int16_t code) noexcept;
  // The message shown when `box` refuses a character.
  static std::string_view rejection(Box box) noexcept;
};

// The code of a Unicode character under code page 936: ASCII and control
// characters their own value, a double-byte character its two bytes read as
// a negative 16-bit number, "€" 128. A character the code page cannot encode
// gives '?' (63), as the Windows conversion does, which the filter refuses.
std::int16_t Cp936CharCode(char32_t ch) noexcept;

}  // namespace calc
