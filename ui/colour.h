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

// The contrast the window's text is given. WCAG AA asks 4.5:1 of text of
// its sizes (12 and 13.5 points); the margin above it absorbs what the
// ratio of two colours does not see: anti-aliased glyphs, whose pixels
// fall between text and ground, and a theme's next version.
inline constexpr double kTextContrast = 4.7;
// Greyed text, in a disabled box: it must still look greyed, and still be
// read (the wavelength of the chosen anode). 3:1, with the same margin.
inline constexpr double kGreyedContrast = 3.2;

// `text` itself where it stands out by `least` from every colour drawn
// behind it; otherwise moved towards black or white, as little as gets it
// there, so that a coloured or greyed text keeps its look. A table's colour
// holds its meaning only on the desktop it was chosen on.
Rgb readable(Rgb text, std::span<const Rgb> grounds, double least = kTextContrast);
inline Rgb readable(Rgb text, std::initializer_list<Rgb> grounds, double least = kTextContrast) {
  return readable(text, std::span(grounds.begin(), grounds.size()), least);
}

}  // namespace ui
