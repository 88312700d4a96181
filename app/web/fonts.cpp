#include "ui/web/fonts.h"

#include "ui/pixels.h"

namespace ui::web {

std::string_view cssFamily(const Font& f) {
  return f.family == "Times New Roman" ? "Sorbel Serif" : "Sorbel Sans";
}

std::string cssFont(const Font& f) {
  const bool serif = cssFamily(f) == "Sorbel Serif";
  return std::to_string(f.weight) + " " + std::to_string(pointsToPixels(f.points)) + "px \"" +
         std::string(cssFamily(f)) +
         (serif ? R"(", "Noto Serif CJK SC", serif)" : R"(", "Noto Sans CJK SC", sans-serif)");
}

}  // namespace ui::web
