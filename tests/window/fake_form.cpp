#include "tests/window/fake_form.h"

#include <algorithm>

#include "ui/events.h"
#include "ui/layout.h"

namespace window {
namespace {

bool focusable(const ui::ControlSpec& s) { return s.kind != ui::Kind::Label; }

}  // namespace

FakeForm::FakeForm() {
  for (const ui::ControlSpec& s : ui::kControls) {
    at(s.id).text = utf32(s.text);
    at(s.id).caret = at(s.id).text.size();
  }
  for (const ui::ControlSpec& s : ui::kControls)
    if (!focus_ && focusable(s)) focus_ = s.id;
}

std::string FakeForm::text(Control c) const { return utf8(at(c).text); }

void FakeForm::setText(Control c, std::string_view text) {
  at(c) = {utf32(text), 0, false, at(c).enabled};  // the caret at the start, as the toolkits put it
  if (c == Control::combWL) listIndex_ = -1;       // a text of the field, no entry chosen
}

void FakeForm::messageBox(std::string_view prompt, std::string_view title, ui::MessageIcon icon) {
  boxes_.push_back({std::string(prompt), std::string(title), icon == ui::MessageIcon::Critical});
}

bool FakeForm::editable(Control c) const {
  const ui::Kind k = ui::spec(c).kind;
  return at(c).enabled && (k == ui::Kind::TextBox || k == ui::Kind::ComboBox);
}

// At the caret, in place of a selection, as much as the box's limit lets in.
void FakeForm::insert(std::u32string_view text) {
  Part& p = at(*focus_);
  if (p.allSelected) p = {{}, 0, false, p.enabled};
  const int limit = ui::spec(*focus_).maxLength;
  std::u32string fits;
  for (char32_t c : text) {
    if (c < 32) continue;
    if (limit > 0 &&
        utf16Length(p.text) + utf16Length(fits) + utf16Length({&c, 1}) > std::size_t(limit))
      break;
    fits += c;
  }
  p.text.insert(p.caret, fits);
  p.caret += fits.size();
}

void FakeForm::erase(bool before) {
  Part& p = at(*focus_);
  if (p.allSelected) {
    p = {{}, 0, false, p.enabled};
  } else if (before && p.caret > 0) {
    p.text.erase(--p.caret, 1);
  } else if (!before && p.caret < p.text.size()) {
    p.text.erase(p.caret, 1);
  }
}

void FakeForm::typeChar(char32_t ch) {
  if (ended_ || !focus_ || !editable(*focus_)) return;
  const Control box = *focus_;
  if (ui::typed(*this, box, ch) == ui::Keystroke::Swallow || focus_ != box) return;
  if (ch == U'\b') return erase(true);
  if (ch == 1) at(box).allSelected = !at(box).text.empty();  // Ctrl+A
  if (ch >= 32) insert({&ch, 1});
}

void FakeForm::commit(std::u32string_view text) {
  if (ended_ || !focus_ || !editable(*focus_)) return;
  const ui::Committed kept = ui::committed(*this, *focus_, text);
  insert(kept.insert);
}

void FakeForm::paste(std::u32string_view text) {
  if (!ended_ && focus_ && editable(*focus_)) insert(text);  // not typed: never reported
}

void FakeForm::moveFocus(bool back) {
  if (const auto to = tabFrom(*focus_, back, [this](Control c) { return at(c).enabled; }))
    focus_ = to;
}

// The arrow keys in the closed list choose the neighbouring entry; with
// none chosen, either chooses the first.
void FakeForm::step(int by) {
  const int last = static_cast<int>(ui::kAnodeCount) - 1;
  const int to = listIndex_ < 0 ? 0 : std::clamp(listIndex_ + by, 0, last);
  if (to != listIndex_) choose(to);
}

void FakeForm::key(Key k) {
  if (ended_ || !focus_) return;
  const Control f = *focus_;
  if (k == Key::Tab || k == Key::Backtab) return moveFocus(k == Key::Backtab);
  if (ui::spec(f).kind == ui::Kind::Button) {
    if (k == Key::Space) ui::clicked(*this, f);
    return;  // no button is the default or the cancel button
  }
  if (!editable(f)) return;
  // The character a key types into a box, in window::Key's order (0: none).
  static constexpr char32_t kTyped[] = {U'\b', 0, U'\r', 0x1B, 0, 0,    U' ', 0,    0,
                                        0,     0, 0,     0,    1, 0x1A, 0x19, 0x18, 3};
  static_assert(std::size(kTyped) == static_cast<std::size_t>(Key::Copy) + 1);
  if (const char32_t ch = kTyped[static_cast<std::size_t>(k)]) return typeChar(ch);
  Part& p = at(f);
  if (k == Key::Delete) return erase(false);  // types no character
  if (k == Key::Up || k == Key::Down) {
    if (f == Control::combWL) step(k == Key::Down ? 1 : -1);
    return;
  }
  p.caret = k == Key::Home   ? 0
            : k == Key::End  ? p.text.size()
            : k == Key::Left ? (p.caret > 0 ? p.caret - 1 : 0)
                             : std::min(p.caret + 1, p.text.size());
  p.allSelected = false;
}

void FakeForm::click(Control c) {
  if (ended_ || !at(c).enabled || ui::spec(c).kind == ui::Kind::Label) return;
  focus_ = c;
  at(c).caret = at(c).text.size();
  at(c).allSelected = false;
  if (ui::spec(c).kind == ui::Kind::Button) ui::clicked(*this, c);
}

void FakeForm::choose(int index) {
  if (ended_ || !at(Control::combWL).enabled) return;
  focus_ = Control::combWL;
  at(Control::combWL) = {utf32(ui::anodeEntry(static_cast<std::size_t>(index))), 0, false, true};
  at(Control::combWL).caret = at(Control::combWL).text.size();
  listIndex_ = index;
  ui::chosen(*this, index);
}

void FakeDriver::start() {
  form_ = std::make_unique<FakeForm>();
  ui::loaded(*form_);
}

bool FakeDriver::performEnding(const Action& a) {
  perform(a);
  return form_->ended();
}

Snapshot FakeDriver::look() {
  Snapshot s;
  for (int i = 0; i < ui::kControlCount; ++i) {
    const auto c = static_cast<Control>(i);
    s.text[static_cast<std::size_t>(i)] = form_->text(c);
    s.enabled[static_cast<std::size_t>(i)] = form_->enabled(c);
  }
  s.focus = form_->focus();
  s.listIndex = form_->listIndex();
  s.boxes = form_->takeBoxes();
  s.alive = !form_->ended();
  s.ended = form_->ended();
  return s;
}

std::vector<std::string> FakeDriver::listEntries() {
  std::vector<std::string> entries;
  for (std::size_t i = 0; i < ui::kAnodeCount; ++i) entries.emplace_back(ui::anodeEntry(i));
  return entries;
}

}  // namespace window
