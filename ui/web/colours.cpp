// The window's colours on the browser's palette: every text reads on what is
// drawn behind it, in light, dark and forced-colours modes (ui/look.h).
#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "ui/web/dom.h"
#include "ui/web/web_form.h"

namespace ui::web {
namespace {

// The CSS system colours that play each role, each laid over the ground it
// is drawn on (some are translucent). A window of the table is a dialog,
// whose face is the buttons' (as on Windows), and its text is theirs.
struct Source {
  Role role;
  bool face;             // the dialog's face or its text, else this colour
  std::string_view css;  // for the face: the text's
  std::optional<Role> over;
};
constexpr Source kSources[] = {
    {Role::Window, true, "", {}},
    {Role::Button, true, "", {}},
    {Role::DisabledBase, true, "", {}},
    {Role::Base, false, "Field", {}},
    {Role::ToolTipBase, false, "InfoBackground", Role::Window},
    {Role::WindowText, true, "text", Role::Window},
    {Role::ButtonText, true, "text", Role::Button},
    {Role::Text, false, "FieldText", Role::Base},
    {Role::Highlight, false, "Highlight", Role::Base},
    {Role::Mid, false, "GrayText", Role::Window},
    {Role::DisabledText, false, "GrayText", Role::DisabledBase},
};
static_assert(std::size(kSources) == kRoleCount);

// The CSS system colours the palette is made of, read from the page at
// once: one look at its styles, where one each would take as many.
constexpr std::string_view kSystem[] = {"ButtonFace",     "ButtonText", "Canvas",
                                        "CanvasText",     "Field",      "FieldText",
                                        "InfoBackground", "Highlight",  "GrayText"};

struct SystemColours {
  std::vector<dom::CssColour> read = dom::cssColours(kSystem);
  // `css` laid over `under`: some are translucent (a selection's).
  Rgb over(std::string_view css, Rgb under) const {
    const auto at = static_cast<std::size_t>(
        std::find(std::begin(kSystem), std::end(kSystem), css) - std::begin(kSystem));
    return mix(under, read.at(at).rgb, read.at(at).alpha);
  }
};

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
  constexpr Rgb white{255, 255, 255};
  const SystemColours system;
  const auto over = [&system](std::string_view css, Rgb under) { return system.over(css, under); };
  // The buttons' colours, unless they do not pair: WebKitGTK's dark mode
  // gives light faces with white text. The page's own pair stands in then.
  std::string_view face = "ButtonFace", text = "ButtonText";
  const Rgb buttonFace = over(face, white);
  if (contrastRatio(over(text, buttonFace), buttonFace) < kGreyedContrast) {
    face = "Canvas";
    text = "CanvasText";
  }
  Palette p;
  for (const Source& s : kSources) {
    const std::string_view css = !s.face ? s.css : s.css.empty() ? face : text;
    p[s.role] = over(css, s.over ? p[*s.over] : white);
  }
  return p;
}

void WebForm::applyColours() {
  const Palette p = browserPalette();
  dom::style(kWindowName, "background-color", css(windowGround(p)));
  // The focus ring reads where the labels do.
  dom::style(kWindowName, "--focus", css(lookOf(Control::Label1, p).text));
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
