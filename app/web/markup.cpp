// Prints the window as the page's HTML, drawn from the layout table in the
// state its Load handler leaves it in, so that the browser shows it before
// the program runs: the program then takes the drawn controls over. Until
// it does, every box is read-only. The build puts this into the page.
#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/web/fonts.h"
#include "ui/events.h"
#include "ui/layout.h"
#include "ui/texts.h"

namespace {

using ui::Control;
using ui::Kind;

// The controls as the Load handler leaves them.
class Loaded final : public ui::Form {
 public:
  Loaded() {
    for (const ui::ControlSpec& s : ui::kControls) at(s.id) = {std::string(s.text), true};
    ui::loaded(*this);
  }
  std::string text(Control c) const override { return state_[index(c)].text; }
  void setText(Control c, std::string_view t) override { at(c).text = t; }
  void setEnabled(Control c, bool on) override { at(c).enabled = on; }
  void setFocus(Control) override {}
  void messageBox(std::string_view, std::string_view, ui::MessageIcon) override {}
  void end() override {}
  bool enabled(Control c) const { return state_[index(c)].enabled; }
  // Where the focus starts: the first control in tab order that can take it.
  Control firstFocus() const {
    for (const ui::ControlSpec& s : ui::kControls)
      if (s.kind != Kind::Label && enabled(s.id)) return s.id;
    return ui::kControls[0].id;
  }

 private:
  struct State {
    std::string text;
    bool enabled = true;
  };
  static std::size_t index(Control c) { return static_cast<std::size_t>(c); }
  State& at(Control c) { return state_[index(c)]; }
  std::array<State, ui::kControlCount> state_;
};

std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string px(int v) { return std::to_string(v) + "px"; }

ui::PixelRect pixels(const ui::Rect& r) { return ui::toPixels(r.left, r.top, r.width, r.height); }

std::string placed(const ui::PixelRect& p) {
  return "left:" + px(p.left) + ";top:" + px(p.top) + ";width:" + px(p.width) +
         ";height:" + px(p.height);
}

// Its place from the top of the stacking order: what lies above goes higher.
std::string stacked(Control c) {
  const auto at = std::find(ui::kStacking.begin(), ui::kStacking.end(), c);
  return ";z-index:" + std::to_string(ui::kStacking.end() - at);
}

// A closing full-width colon is set half as wide, as at the end of a line
// of Chinese: its blank half is the part of a caption that would reach the
// control beside it, which no caption may run under.
std::string caption(std::string_view text) {
  constexpr std::string_view colon = "：";
  if (!text.ends_with(colon)) return escaped(text);
  return escaped(text.substr(0, text.size() - colon.size())) + "<span class=\"end\">" +
         std::string(colon) + "</span>";
}

std::string named(Control c) {
  return " aria-labelledby=\"" + std::string(ui::nameOf(ui::labelFor(c))) + "\"";
}

constexpr std::string_view kTyping =
    " type=\"text\" autocomplete=\"off\" spellcheck=\"false\" autocapitalize=\"off\" readonly";

std::string combo(const ui::ControlSpec& s, const std::string& value) {
  // The room on its right, into which a finger's wider arrow may reach.
  const ui::PixelRect p = pixels(s.rect);
  const std::optional<int> next = ui::nextOnRow(s.rect);
  const int beyond = next ? ui::twipsToPixels(*next) - p.right() : 0;
  std::string html = "<div id=\"combWL-box\" class=\"combo\" style=\"" + placed(p) +
                     ";font:" + escaped(page::cssFont(s.font)) + stacked(s.id) +
                     ";--beyond:" + px(beyond) + "\">";
  // The list is the phone's keypad here: a tap opens it, and raises no keyboard.
  html += "<input id=\"combWL\" class=\"field\"" + std::string(kTyping) + " value=\"" + value +
          "\" inputmode=\"none\" role=\"combobox\" aria-expanded=\"false\" "
          "aria-controls=\"combWL-list\" aria-autocomplete=\"none\"" +
          named(s.id) + ">";
  html +=
      "<button id=\"combWL-button\" class=\"arrow\" type=\"button\" tabindex=\"-1\" "
      "aria-expanded=\"false\" aria-controls=\"combWL-list\"" +
      named(s.id) + "></button>";
  html += "<ul id=\"combWL-list\" role=\"listbox\"" + named(s.id) + " hidden>";
  for (std::size_t i = 0; i < ui::kAnodeCount; ++i)
    html += "<li id=\"combWL-option-" + std::to_string(i) +
            "\" role=\"option\" aria-selected=\"false\">" + escaped(ui::anodeEntry(i)) + "</li>";
  return html + "</ul></div>\n";
}

std::string control(const ui::ControlSpec& s, const Loaded& loaded) {
  const std::string id(ui::nameOf(s.id)), value = escaped(loaded.text(s.id));
  const std::string font = ";font:" + escaped(page::cssFont(s.font)) + stacked(s.id);
  switch (s.kind) {
    case Kind::Label: {
      const ui::PixelRect p = pixels(s.rect);
      return "<span id=\"" + id + "\" class=\"label\" style=\"left:" + px(p.left) +
             ";top:" + px(p.top) + font + "\">" + caption(s.text) + "</span>\n";
    }
    case Kind::TextBox:
      return "<input id=\"" + id + "\" class=\"box\"" + std::string(kTyping) + " value=\"" + value +
             "\"" + (s.maxLength > 0 ? " maxlength=\"" + std::to_string(s.maxLength) + "\"" : "") +
             (ui::takesNumber(s.id) ? " inputmode=\"decimal\"" : "") + named(s.id) +
             (s.id == loaded.firstFocus() ? " autofocus" : "") +
             (loaded.enabled(s.id) ? "" : " disabled") + " style=\"" + placed(pixels(s.rect)) +
             font + "\">\n";
    case Kind::ComboBox:
      return combo(s, value);
    case Kind::Button:
      return "<button id=\"" + id + "\" class=\"button\" type=\"button\" style=\"" +
             placed(pixels(s.rect)) + font + "\">" + escaped(s.text) + "</button>\n";
  }
  return {};
}

// Lines and the frame: decoration, hidden from screen readers. Line2, the
// one slanted line, lies outside the client area and is never seen: its
// box stands in for it.
std::string decoration() {
  std::string html;
  auto part = [&html](Control c, const char* className, const ui::PixelRect& p) {
    html += "<div id=\"" + std::string(ui::nameOf(c)) + "\" class=\"" + className +
            "\" aria-hidden=\"true\" style=\"" + placed(p) + stacked(c) + "\"></div>\n";
  };
  for (const ui::LineSpec& l : ui::kLines) part(l.id, "line", ui::penBox(l));
  part(ui::kShape.id, "shape", pixels(ui::kShape.rect));
  return html;
}

}  // namespace

int main() {
  const Loaded loaded;
  // Read top to bottom, left to right; Tab keeps the window's own order.
  std::vector<ui::ControlSpec> reading(ui::kControls.begin(), ui::kControls.end());
  std::stable_sort(reading.begin(), reading.end(), [](const auto& a, const auto& b) {
    return std::pair(a.rect.top, a.rect.left) < std::pair(b.rect.top, b.rect.left);
  });
  std::string tabs;
  for (const ui::ControlSpec& s : ui::kControls)
    if (s.kind != Kind::Label) tabs += (tabs.empty() ? "" : " ") + std::string(ui::nameOf(s.id));

  const ui::PixelRect client = pixels({0, 0, ui::kWindow.clientWidth, ui::kWindow.clientHeight});
  const std::string pageFont = escaped(page::cssFont(page::kPageFont));
  // The title bar's caption heads the page.
  std::string html =
      "<div id=\"window\">\n<h1 id=\"caption\" style=\"font:" + pageFont + "\">" +
      escaped(ui::kWindow.caption) + "</h1>\n<div id=\"" + std::string(ui::kWindowName) +
      "\" role=\"group\" aria-labelledby=\"caption\" data-tabs=\"" + tabs +
      "\" style=\"width:" + px(client.width) + ";height:" + px(client.height) + "\">\n";
  for (const ui::ControlSpec& s : reading) html += control(s, loaded);
  html += decoration() + "</div>\n</div>\n";
  // A modal dialog: its title names it, its prompt describes it, one button.
  html +=
      "<dialog id=\"msgBox\" class=\"msgbox\" aria-labelledby=\"msgBox-title\" "
      "aria-describedby=\"msgBox-prompt\" style=\"font:" +
      pageFont +
      "\"><div id=\"msgBox-title\" class=\"title\"></div><div class=\"body\">"
      "<span id=\"msgBox-icon\" class=\"icon\" role=\"img\" aria-label=\"" +
      escaped(ui::texts::kErrorIcon) +
      "\"></span><p id=\"msgBox-prompt\" class=\"prompt\"></p></div>"
      "<form class=\"buttons\" method=\"dialog\"><button id=\"msgBox-ok\" class=\"ok\">" +
      escaped(ui::texts::kOk) + "</button></form></dialog>\n";
  // Where a new result is said to screen readers; what the page says once
  // the program has ended, or where it cannot run.
  const std::string needs = escaped(ui::texts::kNeedsBrowser);
  html += "<p id=\"said\" class=\"said\" role=\"status\"></p>\n<p id=\"ended\" hidden>" +
          escaped(ui::texts::kEnded) + "</p>\n<noscript><p class=\"missing\">" + needs +
          "</p></noscript>\n<p id=\"missing\" class=\"missing\" hidden>" + needs + "</p>\n";
  std::fputs(html.c_str(), stdout);
}
