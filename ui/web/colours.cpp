// The window's colours on the browser's palette: every text reads on what is
// drawn behind it, in light, dark and forced-colours modes (ui/look.h).
#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "ui/web/dom.h"
#include "ui/web/hatch.h"
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

void setLook(dom::Styles& styles, std::string_view id, const Look& look) {
  styles.set(id, "--ground", css(look.ground));
  styles.set(id, "--text", css(look.text));
  styles.set(id, "--disabled-ground", css(look.disabledGround));
  styles.set(id, "--disabled-text", css(look.disabledText));
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

void WebForm::applyColours() { showColours(browserPalette()); }

void WebForm::showColours(const Palette& p) {
  dom::Styles styles;
  styles.set(kWindowName, "background-color", css(windowGround(p)));
  // The focus ring reads where the labels do.
  styles.set(kWindowName, "--focus", css(lookOf(Control::Label1, p).text));
  styles.set("window", "border-color", css(p[Role::Mid]));
  for (const ControlSpec& s : kControls) {
    const Look look = lookOf(s.id, p);
    setLook(styles, nameOf(s.id), look);
    if (s.kind == Kind::ComboBox) setLook(styles, "combWL-box", look);  // its arrow and list
  }
  for (const LineSpec& l : kLines)
    styles.set(nameOf(l.id), "background-color", css(lineColour(l, p)));
  styles.set(nameOf(kShape.id), "border-color", css(outlineOf(p)));
  styles.set(nameOf(kShape.id), "background-image", hatchImage(hatchOf(p)));
  styles.apply();
}

}  // namespace ui::web
