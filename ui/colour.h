#pragma once
#include <cstdint>
#include <initializer_list>
#include <span>

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

// `a` moved the fraction `t` (0 to 1) of the way to `b`.
Rgb mix(Rgb a, Rgb b, double t);

// The least contrast at which the window's text reads: WCAG AA for text of
// its sizes (12 and 13.5 points).
inline constexpr double kLeastContrast = 4.5;

// `text` itself where it stands out from every colour drawn behind it;
// otherwise moved towards black or white, as little as gets it there, so
// that a coloured or greyed text keeps its look. A table's colour holds its
// meaning only on the desktop it was chosen on.
Rgb readable(Rgb text, std::span<const Rgb> grounds);
inline Rgb readable(Rgb text, std::initializer_list<Rgb> grounds) {
  return readable(text, std::span(grounds.begin(), grounds.size()));
}

}  // namespace ui
