#pragma once
#include <cstdint>

namespace ui {

// A colour of the window's tables: a system colour by its platform index,
// a fixed RGB value, or `Ordinary`, the toolkit's usual colour for that
// kind of control.
struct Colour {
  enum class Kind : std::uint8_t { Ordinary, System, Rgb };
  Kind kind = Kind::Ordinary;
  int systemIndex = 0;
  std::uint8_t r = 0, g = 0, b = 0;
};
inline constexpr Colour kOrdinary{};
constexpr Colour sys(int index) { return {Colour::Kind::System, index}; }
constexpr Colour rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return {Colour::Kind::Rgb, 0, r, g, b};
}

// A colour as it is drawn.
struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

// The WCAG 2 contrast ratio of two colours, 1 to 21.
double contrastRatio(Rgb a, Rgb b);

// The least contrast at which text still reads (WCAG AA for large text).
inline constexpr double kLeastContrast = 3.0;

// `text` itself where it stands out from `back`, otherwise black or white,
// whichever reads better. A table colour holds its meaning only on the
// desktop it was chosen for; on another one it may vanish into its ground.
Rgb readable(Rgb text, Rgb back);

}  // namespace ui
