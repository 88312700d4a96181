#include <algorithm>
#include <array>

#include "tests/window/driver.h"
#include "ui/layout.h"

namespace window {

Action typing(Control box, std::u32string text, bool inputMethod) {
  return {
      .kind = Action::Kind::Type, .box = box, .text = std::move(text), .inputMethod = inputMethod};
}

Action pasting(Control box, std::u32string text) {
  return {.kind = Action::Kind::Paste, .box = box, .text = std::move(text)};
}

Action pressing(Key k) { return {.kind = Action::Kind::Press, .key = k}; }

Action clicking(Control c) { return {.kind = Action::Kind::Click, .box = c}; }

Action choosing(int anode, bool byMouse) {
  return {.kind = Action::Kind::Choose, .anode = anode, .byMouse = byMouse};
}

Action closing() { return {.kind = Action::Kind::Close}; }

bool endsProgram(const Snapshot& before, const Action& a) {
  if (a.kind == Action::Kind::Close) return true;
  if (a.kind == Action::Kind::Click) return a.box == Control::cmdEnd;
  return a.kind == Action::Kind::Press && a.key == Key::Space && before.focus == Control::cmdEnd;
}

std::string quoted(std::string_view s) {
  std::string out = "\"";
  for (char ch : s) {
    const auto u = static_cast<unsigned char>(ch);
    if (u >= 32) {
      out += ch;
      continue;
    }
    static constexpr char hex[] = "0123456789abcdef";
    out += "\\x";
    out += hex[u >> 4];
    out += hex[u & 15];
  }
  return out + "\"";
}

std::optional<Control> tabFrom(Control from, bool back,
                               const std::function<bool(Control)>& enabled) {
  std::vector<Control> chain;
  for (const ui::ControlSpec& s : ui::kControls)
    if (s.kind != ui::Kind::Label && enabled(s.id)) chain.push_back(s.id);
  const auto it = std::find(chain.begin(), chain.end(), from);
  if (it == chain.end()) return std::nullopt;
  const auto n = static_cast<std::ptrdiff_t>(chain.size());
  return chain[static_cast<std::size_t>(((it - chain.begin()) + (back ? n - 1 : 1)) % n)];
}

std::string describe(const Action& a) {
  static constexpr std::array<const char*, 18> keys{
      "Backspace", "Delete", "Enter", "Escape", "Tab",    "Backtab", "Space",  "Left",   "Right",
      "Home",      "End",    "Up",    "Down",   "Ctrl+A", "Ctrl+Z",  "Ctrl+Y", "Ctrl+X", "Ctrl+C"};
  const std::string box(ui::nameOf(a.box));
  switch (a.kind) {
    case Action::Kind::Type:
      return std::string(a.inputMethod ? "commit " : "type ") + box + " " + quoted(utf8(a.text));
    case Action::Kind::Paste:
      return "paste " + box + " " + quoted(utf8(a.text));
    case Action::Kind::Press:
      return std::string("key ") + keys[static_cast<std::size_t>(a.key)];
    case Action::Kind::Click:
      return "click " + box;
    case Action::Kind::Choose:
      return "choose " + std::to_string(a.anode) + (a.byMouse ? " by mouse" : " by keyboard");
    case Action::Kind::Close:
      return "close the window";
  }
  return {};
}

}  // namespace window
