#include "app/web/fonts.h"

#include "ui/pixels.h"

namespace page {

std::string_view cssFamily(const ui::Font& f) {
  return ui::isSerif(f) ? "Sorbel Serif" : "Sorbel Sans";
}

std::string cssFont(const ui::Font& f) {
  return std::to_string(f.weight) + " " + std::to_string(ui::pointsToPixels(f.points)) + "px \"" +
         std::string(cssFamily(f)) + "\", \"" + std::string(ui::standInFamily(f)) + "\", " +
         (ui::isSerif(f) ? "serif" : "sans-serif");
}

}  // namespace page
