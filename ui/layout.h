#pragma once
#include <array>
#include <optional>
#include <string_view>

#include "calc/wavelength_table.h"
#include "ui/colour.h"
#include "ui/controls.h"
#include "ui/pixels.h"
#include "ui/texts.h"

namespace ui {

struct Font {
  std::string_view family;
  double points;
  int weight;  // 400 regular, 700 bold
};
constexpr Font kSans12{"MS Sans Serif", 12, 400};
constexpr Font kSans13Bold{"MS Sans Serif", 13.5, 700};
constexpr Font kSans13{"MS Sans Serif", 13.5, 400};
constexpr Font kTimes12{"Times New Roman", 12, 400};

// The installed family that stands in for a table's font: both have the
// captions' Chinese glyphs, which the table's families lack.
constexpr bool isSerif(const Font& f) { return f.family == "Times New Roman"; }
constexpr std::string_view standInFamily(const Font& f) {
  return isSerif(f) ? "Noto Serif CJK SC" : "Noto Sans CJK SC";
}

enum class Kind { Label, TextBox, ComboBox, Button };

struct Rect {
  int left, top, width, height;  // twips
};

struct ControlSpec {
  Control id;
  Kind kind;
  std::string_view text;  // caption or initial text
  Rect rect;
  Font font;
  Colour back = kOrdinary;  // for buttons: the face
  Colour fore = kOrdinary;
  int tabIndex = 0;
  int maxLength = 0;  // 0: no limit
};

// The entries of combWL's list, in order: the anode table's.
inline constexpr std::size_t kAnodeCount = calc::WavelengthTable.size();
constexpr std::string_view anodeEntry(std::size_t index) {
  return calc::WavelengthTable[index].entry;
}

// In tab order.
inline constexpr std::array<ControlSpec, 14> kControls{{
    {Control::Label1, Kind::Label, texts::kLabel1, {360, 1320, 1140, 300}, kSans12, {}, {}, 0},
    {Control::txtD, Kind::TextBox, "", {1560, 1320, 1215, 420}, kSans12, sys(9), {}, 1, 8},
    {Control::txt2X, Kind::TextBox, "", {3720, 1320, 1215, 420}, kSans12, {}, {}, 2, 8},
    {Control::combWL,
     Kind::ComboBox,
     anodeEntry(0),
     {1560, 1920, 1215, 420},
     kSans12,
     sys(14),
     sys(18),
     3},
    {Control::Label2, Kind::Label, texts::kLabel2, {2880, 1320, 810, 300}, kSans12, {}, {}, 4},
    {Control::Label3, Kind::Label, texts::kLabel3, {360, 2520, 2790, 300}, kSans12, {}, {}, 5},
    {Control::txtResult,
     Kind::TextBox,
     "",
     {1560, 2880, 3375, 450},
     kSans13Bold,
     {},
     rgb(0, 0, 192),
     6,
     16},
    {Control::Label4, Kind::Label, texts::kLabel4, {360, 840, 2640, 300}, kSans12, {}, {}, 7},
    {Control::Label5, Kind::Label, texts::kLabel5, {360, 1920, 1245, 300}, kSans12, {}, {}, 8},
    {Control::txtWaveLengh,
     Kind::TextBox,
     *calc::WavelengthTable[0].wavelengthNm,
     {2880, 1920, 1215, 420},
     kSans12,
     {},
     sys(13),
     9,
     8},
    {Control::Label9,
     Kind::Label,
     texts::kLabel9,
     {1065, 240, 3150, 360},
     kSans13,
     {},
     rgb(128, 0, 0),
     10},
    {Control::cmdCalculation,
     Kind::Button,
     texts::kCalculate,
     {360, 3600, 1575, 495},
     kTimes12,
     sys(19),
     {},
     11},
    {Control::cmdReCalculation,
     Kind::Button,
     texts::kRecalculate,
     {1920, 3600, 1575, 495},
     kTimes12,
     sys(19),
     {},
     12},
    {Control::cmdEnd,
     Kind::Button,
     texts::kEnd,
     {3480, 3600, 1455, 495},
     kTimes12,
     sys(19),
     {},
     13},
}};

struct LineSpec {
  Control id;
  int x1, y1, x2, y2;  // twips
  Colour colour;
  int widthPixels;
};
inline constexpr std::array<LineSpec, 5> kLines{{
    {Control::Line5, 0, 0, 5280, 0, kOrdinary, 3},
    {Control::Line1, 0, 0, 0, 4440, sys(0), 3},
    {Control::Line4, 5280, 0, 5280, 4440, sys(0), 3},
    {Control::Line3, 0, 4320, 5280, 4320, sys(0), 3},
    {Control::Line2, 5400, 4440, 5415, 4455, kOrdinary, 1},  // outside the client area
}};
// What a straight line's pen covers at 96 dpi; for the slanted Line2, its
// bounding box.
constexpr PixelRect penBox(const LineSpec& l) {
  return penBox(twipsToPixels(l.x1), twipsToPixels(l.y1), twipsToPixels(l.x2), twipsToPixels(l.y2),
                l.widthPixels);
}

// A one-pixel outline in the ordinary colour, inside a diagonal cross-hatch.
struct ShapeSpec {
  Control id;
  Rect rect;
  Colour hatch;
};
inline constexpr ShapeSpec kShape{Control::Shape1, {120, 120, 5055, 4095}, sys(24)};

struct WindowSpec {
  std::string_view caption;
  int clientWidth, clientHeight;  // twips
  int originLeft, originTop;      // twips from the screen's top-left corner
  Colour back;
};
inline constexpr WindowSpec kWindow{texts::kAppName, 5295, 4335, 5160, 3795, sys(19)};

// Top to bottom.
inline constexpr std::array<Control, kControlCount> kStacking{
    Control::cmdEnd,         Control::cmdReCalculation,
    Control::cmdCalculation, Control::combWL,
    Control::txtResult,      Control::txt2X,
    Control::txtD,           Control::txtWaveLengh,
    Control::Line5,          Control::Label9,
    Control::Line4,          Control::Line3,
    Control::Line2,          Control::Line1,
    Control::Label5,         Control::Label4,
    Control::Label3,         Control::Label2,
    Control::Label1,         Control::Shape1,
};

constexpr const ControlSpec& spec(Control c) {
  for (const auto& s : kControls)
    if (s.id == c) return s;
  return kControls[0];  // not reached for a control of the table
}

// Where the control to the right of `r` on its row begins, in twips, if
// one does: how far a caption may run, or a wider arrow reach.
constexpr std::optional<int> nextOnRow(const Rect& r) {
  std::optional<int> next;
  for (const ControlSpec& s : kControls) {
    const Rect& o = s.rect;
    if (s.kind != Kind::Label && o.left > r.left && o.top < r.top + r.height &&
        r.top < o.top + o.height)
      next = next && *next < o.left ? *next : o.left;
  }
  return next;
}

// The boxes whose typed characters are judged one by one (ui/events.h).
constexpr bool filtersKeys(Control c) { return c == Control::txtD || c == Control::txt2X; }
// The boxes that hold a number the user types: a phone offers its keypad.
constexpr bool takesNumber(Control c) { return filtersKeys(c) || c == Control::txtWaveLengh; }

// The label whose caption names a box, for accessible names.
constexpr Control labelFor(Control c) {
  switch (c) {
    case Control::txtD:
      return Control::Label1;
    case Control::txt2X:
      return Control::Label2;
    case Control::combWL:
    case Control::txtWaveLengh:
      return Control::Label5;
    case Control::txtResult:
      return Control::Label3;
    default:
      return c;
  }
}

// A box's name for screen readers: its label's caption.
constexpr std::string_view accessibleName(Control c) { return spec(labelFor(c)).text; }

}  // namespace ui
