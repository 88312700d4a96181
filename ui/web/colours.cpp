// The window's colours on the browser's palette: every text reads on what is
// drawn behind it, in light, dark and forced-colours modes (ui/look.h).
#include <string>

#include "ui/web/dom.h"
#include "ui/web/web_form.h"

namespace ui::web {
namespace {

// The CSS system colour that plays each role. A window of the table is a
// dialog, whose face is the buttons' (as on Windows); its text is theirs.
constexpr std::string_view kSystemColours[] = {
    "ButtonFace",      // Window
    "ButtonText",      // WindowText
    "Field",           // Base
    "FieldText",       // Text
    "ButtonFace",      // Button
    "ButtonText",      // ButtonText
    "Highlight",       // Highlight
    "GrayText",        // Mid
    "InfoBackground",  // ToolTipBase
    "ButtonFace",      // DisabledBase
    "GrayText",        // DisabledText
};
static_assert(std::size(kSystemColours) == kRoleCount);

// "rgb(r, g, b)" or "rgba(r, g, b, a)", laid over `under` (some browsers
// give the selection a translucent colour). `under` if unreadable.
Rgb parse(std::string_view css, Rgb under) {
  double channel[4] = {0, 0, 0, 1};
  int n = 0;
  for (std::size_t i = css.find('('); i < css.size() && n < 4; ++i) {
    if (!(css[i] >= '0' && css[i] <= '9') && css[i] != '.') continue;
    double v = 0, scale = 0;  // scale: the place of the next decimal, once past the point
    for (; i < css.size() && ((css[i] >= '0' && css[i] <= '9') || css[i] == '.'); ++i) {
      if (css[i] == '.') {
        scale = 0.1;
      } else if (scale > 0) {
        v += (css[i] - '0') * scale;
        scale /= 10;
      } else {
        v = v * 10 + (css[i] - '0');
      }
    }
    channel[n++] = v;
  }
  if (n < 3) return under;
  const double a = channel[3];
  auto over = [a](double top, std::uint8_t bottom) {
    return static_cast<std::uint8_t>(top * a + bottom * (1 - a) + 0.5);
  };
  return {over(channel[0], under.r), over(channel[1], under.g), over(channel[2], under.b)};
}

std::string css(Rgb c) {
  static constexpr char hex[] = "0123456789abcdef";
  std::string s = "#";
  for (std::uint8_t v : {c.r, c.g, c.b}) {
    s += hex[v >> 4];
    s += hex[v & 15];
  }
  return s;
}

// The frame's diagonal cross-hatch, an 8-pixel tile: both diagonals, the
// rest transparent.
std::string hatchImage(Rgb colour) {
  std::string path;
  for (int i = 0; i < 8; ++i)
    path += "M" + std::to_string(i) + " " + std::to_string(i) + "h1v1h-1zM" +
            std::to_string(7 - i) + " " + std::to_string(i) + "h1v1h-1z";
  return "url(\"data:image/svg+xml,<svg xmlns='http://www.w3.org/2000/svg' width='8' height='8' "
         "shape-rendering='crispEdges'><path fill='%23" +
         css(colour).substr(1) + "' d='" + path + "'/></svg>\")";
}

void setLook(std::string_view id, const Look& look) {
  dom::style(id, "--ground", css(look.ground));
  dom::style(id, "--text", css(look.text));
  dom::style(id, "--disabled-ground", css(look.disabledGround));
  dom::style(id, "--disabled-text", css(look.disabledText));
}

}  // namespace

Palette browserPalette() {
  Palette p;
  for (int r = 0; r < kRoleCount; ++r) {
    const auto role = static_cast<Role>(r);
    // The selection is read over a box's ground, read before it.
    const Rgb under = role == Role::Highlight ? p[Role::Base] : Rgb{255, 255, 255};
    p[role] = parse(dom::computedColour(kSystemColours[r]), under);
  }
  return p;
}

void WebForm::applyColours() {
  const Palette p = browserPalette();
  dom::style(kWindowName, "background-color", css(windowGround(p)));
  dom::style("window", "border-color", css(p[Role::Mid]));
  for (const ControlSpec& s : kControls) {
    const Look look = lookOf(s.id, p);
    setLook(nameOf(s.id), look);
    if (s.kind == Kind::ComboBox) setLook("combWL-box", look);  // its arrow and list
  }
  for (const LineSpec& l : kLines)
    dom::style(nameOf(l.id), "background-color", css(lineColour(l, p)));
  dom::style(nameOf(kShape.id), "border-color", css(outlineOf(p)));
  dom::style(nameOf(kShape.id), "background-image", hatchImage(hatchOf(p)));
}

}  // namespace ui::web
