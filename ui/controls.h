#pragma once
#include <array>
#include <optional>
#include <string_view>

namespace ui {

// Every named part of frmXRD. The name is the Qt objectName; the Win32
// control id is kFirstControlId plus the enumerator's value.
enum class Control {
  Label1,
  txtD,
  txt2X,
  combWL,
  Label2,
  Label3,
  txtResult,
  Label4,
  Label5,
  txtWaveLengh,
  Label9,
  cmdCalculation,
  cmdReCalculation,
  cmdEnd,
  Line5,
  Line1,
  Line4,
  Line3,
  Line2,
  Shape1,
};
// The window's own name, beside its parts' (the Qt objectName, the HTML id).
inline constexpr std::string_view kWindowName = "frmXRD";

inline constexpr int kControlCount = static_cast<int>(Control::Shape1) + 1;
inline constexpr int kFirstControlId = 1001;

inline constexpr std::array<std::string_view, kControlCount> kControlNames{
    "Label1", "txtD",   "txt2X",        "combWL", "Label2",         "Label3",           "txtResult",
    "Label4", "Label5", "txtWaveLengh", "Label9", "cmdCalculation", "cmdReCalculation", "cmdEnd",
    "Line5",  "Line1",  "Line4",        "Line3",  "Line2",          "Shape1",
};

constexpr std::string_view nameOf(Control c) { return kControlNames[static_cast<int>(c)]; }
// The control of that name (objectName, HTML id), or none.
constexpr std::optional<Control> controlNamed(std::string_view name) {
  for (int i = 0; i < kControlCount; ++i)
    if (kControlNames[static_cast<std::size_t>(i)] == name) return static_cast<Control>(i);
  return std::nullopt;
}
constexpr int controlId(Control c) { return kFirstControlId + static_cast<int>(c); }
// The control with that id, or false.
constexpr bool fromControlId(int id, Control& c) {
  if (id < kFirstControlId || id >= kFirstControlId + kControlCount) return false;
  c = static_cast<Control>(id - kFirstControlId);
  return true;
}

}  // namespace ui
