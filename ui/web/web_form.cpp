#include "ui/web/web_form.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "ui/pixels.h"
#include "ui/texts.h"
#include "ui/web/dom.h"
#include "ui/web/fonts.h"

namespace ui::web {
namespace {

constexpr std::string_view kFrame = "window", kCaption = "caption", kBox = "msgBox";

std::string px(int v) { return std::to_string(v) + "px"; }

void place(std::string_view id, const PixelRect& p) {
  dom::style(id, "left", px(p.left));
  dom::style(id, "top", px(p.top));
  dom::style(id, "width", px(p.width));
  dom::style(id, "height", px(p.height));
}

PixelRect pixels(const Rect& r) { return toPixels(r.left, r.top, r.width, r.height); }

// The boxes whose text must read as a number: on a phone, the decimal keypad.
bool numeric(Control c) { return c == Control::txtD || c == Control::txt2X; }

// The element that takes a control's place: combWL's field sits in a box.
std::string placed(Control c) {
  return std::string(nameOf(c)) + (c == Control::combWL ? "-box" : "");
}

std::string optionId(std::size_t i) { return "combWL-option-" + std::to_string(i); }

}  // namespace

WebForm::WebForm(std::string_view host) : host_(host) { build(); }

void WebForm::build() {
  dom::create("div", kFrame, host_);
  dom::create("div", kCaption, kFrame);
  dom::property(kCaption, "textContent", kWindow.caption);
  dom::style(kCaption, "font", cssFont(kPageFont));

  dom::create("div", kWindowName, kFrame);
  dom::attribute(kWindowName, "role", "group");
  dom::attribute(kWindowName, "aria-labelledby", kCaption);
  const PixelRect client = pixels({0, 0, kWindow.clientWidth, kWindow.clientHeight});
  dom::style(kWindowName, "width", px(client.width));
  dom::style(kWindowName, "height", px(client.height));
  // In tab order, which the page's Tab follows.
  for (const ControlSpec& s : kControls) make(s);
  makeDecoration();
  for (std::size_t i = 0; i < kStacking.size(); ++i)
    dom::style(placed(kStacking[i]), "z-index", std::to_string(kStacking.size() - i));
  makeMessageBox();
  applyColours();
  dom::call(nameOf(Control::txtD), "focus");
}

void WebForm::make(const ControlSpec& s) {
  const std::string_view id = nameOf(s.id);
  switch (s.kind) {
    case Kind::Label:  // sized to its caption in the font actually used
      dom::create("span", id, kWindowName);
      dom::property(id, "className", "label");
      dom::property(id, "textContent", s.text);
      dom::style(id, "left", px(pixels(s.rect).left));
      dom::style(id, "top", px(pixels(s.rect).top));
      break;
    case Kind::TextBox:
      dom::create("input", id, kWindowName);
      dom::property(id, "type", "text");
      dom::property(id, "className", "box");
      dom::property(id, "value", s.text);
      if (s.maxLength > 0) dom::property(id, "maxLength", std::to_string(s.maxLength));
      dom::attribute(id, "autocomplete", "off");
      dom::attribute(id, "spellcheck", "false");
      dom::attribute(id, "autocapitalize", "off");
      if (numeric(s.id)) dom::attribute(id, "inputmode", "decimal");
      dom::attribute(id, "aria-labelledby", nameOf(labelFor(s.id)));
      place(id, pixels(s.rect));
      break;
    case Kind::ComboBox:
      makeCombo(s);
      place(placed(s.id), pixels(s.rect));
      break;
    case Kind::Button:
      dom::create("button", id, kWindowName);
      dom::property(id, "type", "button");
      dom::property(id, "className", "button");
      dom::property(id, "textContent", s.text);
      place(id, pixels(s.rect));
      break;
  }
  dom::style(placed(s.id), "font", cssFont(s.font));
}

// The editable field with its arrow and list, as a WAI-ARIA combobox. What
// the list does with keys and clicks is the page script's.
void WebForm::makeCombo(const ControlSpec& s) {
  const std::string box = placed(s.id), list = "combWL-list", arrow = "combWL-button";
  const std::string_view field = nameOf(s.id), label = nameOf(labelFor(s.id));
  dom::create("div", box, kWindowName);
  dom::property(box, "className", "combo");
  dom::create("input", field, box);
  dom::property(field, "type", "text");
  dom::property(field, "className", "field");
  dom::property(field, "value", s.text);
  for (auto [name, value] : {std::pair{"role", "combobox"},
                             {"aria-expanded", "false"},
                             {"aria-controls", "combWL-list"},
                             {"aria-autocomplete", "none"},
                             {"autocomplete", "off"},
                             {"spellcheck", "false"}})
    dom::attribute(field, name, value);
  dom::attribute(field, "aria-labelledby", label);
  dom::create("button", arrow, box);
  dom::property(arrow, "type", "button");
  dom::property(arrow, "className", "arrow");
  dom::property(arrow, "tabIndex", "-1");  // not a Tab stop of its own
  dom::attribute(arrow, "aria-labelledby", label);
  dom::attribute(arrow, "aria-expanded", "false");
  dom::attribute(arrow, "aria-controls", list);
  dom::create("ul", list, box);
  dom::attribute(list, "role", "listbox");
  dom::attribute(list, "aria-labelledby", label);
  dom::flag(list, "hidden", true);
  for (std::size_t i = 0; i < kAnodeCount; ++i) {
    dom::create("li", optionId(i), list);
    dom::attribute(optionId(i), "role", "option");
    dom::attribute(optionId(i), "aria-selected", "false");
    dom::property(optionId(i), "textContent", anodeEntry(i));
  }
}

// Lines and the frame: decoration, hidden from screen readers.
void WebForm::makeDecoration() {
  for (const LineSpec& l : kLines) {
    // A wide line is centred on its ends, as GDI draws it: 3 pixels wide
    // covers one either side. Line2, the one slanted line, lies outside the
    // client area and is never seen; its box stands in for it.
    const int x1 = twipsToPixels(l.x1), y1 = twipsToPixels(l.y1);
    const int x2 = twipsToPixels(l.x2), y2 = twipsToPixels(l.y2);
    const int before = (l.widthPixels - 1) / 2, after = l.widthPixels / 2 + 1;
    const std::string_view id = nameOf(l.id);
    dom::create("div", id, kWindowName);
    dom::property(id, "className", "line");
    dom::attribute(id, "aria-hidden", "true");
    place(id, {std::min(x1, x2) - before, std::min(y1, y2) - before,
               std::abs(x2 - x1) + before + after, std::abs(y2 - y1) + before + after});
  }
  const std::string_view shape = nameOf(kShape.id);
  dom::create("div", shape, kWindowName);
  dom::property(shape, "className", "shape");
  dom::attribute(shape, "aria-hidden", "true");
  place(shape, pixels(kShape.rect));
}

// A modal <dialog>: its title names it, its prompt describes it, one button.
void WebForm::makeMessageBox() {
  dom::create("dialog", kBox, host_);
  dom::property(kBox, "className", "msgbox");
  dom::style(kBox, "font", cssFont(kPageFont));
  dom::attribute(kBox, "aria-labelledby", "msgBox-title");
  dom::attribute(kBox, "aria-describedby", "msgBox-prompt");
  const struct {
    const char *tag, *id, *parent, *className;
  } parts[] = {
      {"div", "msgBox-title", "msgBox", "title"},
      {"div", "msgBox-body", "msgBox", "body"},
      {"span", "msgBox-icon", "msgBox-body", "icon"},
      {"p", "msgBox-prompt", "msgBox-body", "prompt"},
      {"form", "msgBox-form", "msgBox", "buttons"},
      {"button", "msgBox-ok", "msgBox-form", "ok"},
  };
  for (const auto& p : parts) {
    dom::create(p.tag, p.id, p.parent);
    dom::property(p.id, "className", p.className);
  }
  dom::attribute("msgBox-icon", "role", "img");
  dom::attribute("msgBox-icon", "aria-label", texts::kErrorIcon);
  dom::attribute("msgBox-form", "method", "dialog");  // its button closes the box
  dom::property("msgBox-ok", "textContent", texts::kOk);
}

std::string WebForm::text(Control c) const {
  if (const auto& waiting = waitingText_[static_cast<std::size_t>(c)]) return *waiting;
  return dom::value(nameOf(c));
}

void WebForm::setText(Control c, std::string_view utf8) {
  if (boxOpen_) waitingText_[static_cast<std::size_t>(c)] = std::string(utf8);
  later([c, text = std::string(utf8)] {
    const std::string_view id = nameOf(c);
    dom::property(id, "value", text);
    // A text longer than the box shows its start, as on the desktop.
    dom::select(id, 0, 0);
    dom::property(id, "scrollLeft", "0");
    if (c == Control::combWL)  // a text of the field, not a chosen entry
      for (std::size_t i = 0; i < kAnodeCount; ++i)
        dom::attribute(optionId(i), "aria-selected", "false");
  });
}

void WebForm::setEnabled(Control c, bool enabled) {
  later([c, enabled] { dom::flag(nameOf(c), "disabled", !enabled); });
}

void WebForm::setFocus(Control c) {
  later([c] { dom::call(nameOf(c), "focus"); });
}

void WebForm::messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) {
  later([this, prompt = std::string(prompt), title = std::string(title), icon] {
    showBox(prompt, title, icon);
  });
}

void WebForm::showBox(const std::string& prompt, const std::string& title, MessageIcon icon) {
  dom::property("msgBox-title", "textContent", title);
  dom::property("msgBox-prompt", "textContent", prompt);
  dom::flag("msgBox-icon", "hidden", icon != MessageIcon::Critical);
  boxOpen_ = true;
  dom::call(kBox, "showModal");
}

void WebForm::dismissed() {
  boxOpen_ = false;
  while (!boxOpen_ && !waiting_.empty()) {
    auto request = std::move(waiting_.front());
    waiting_.pop_front();
    request();
  }
  if (waiting_.empty()) waitingText_ = {};
}

void WebForm::later(std::function<void()> request) {
  if (boxOpen_)
    waiting_.push_back(std::move(request));
  else
    request();
}

void WebForm::end() {
  later([this] { finish(); });
}

// The window goes and the page says so; the browser closes the tab where a
// page may (one it opened itself).
void WebForm::finish() {
  ended_ = true;
  dom::call(kFrame, "remove");
  dom::call(kBox, "remove");
  dom::create("p", "ended", host_);
  dom::property("ended", "textContent", texts::kEnded);
  dom::closeWindow();
}

}  // namespace ui::web
