#include "tests/window/user.h"

#include <gtest/gtest.h>

#include <utility>

namespace window {

void User::act(const Action& a) {
  if (now_) boxes_.insert(boxes_.end(), now_->boxes.begin(), now_->boxes.end());
  now_.reset();
  d_.perform(a);
}

const Snapshot& User::now() {
  if (!now_) now_ = d_.snapshot();
  return *now_;
}

std::vector<MessageBox> User::boxes() {
  now();
  boxes_.insert(boxes_.end(), now_->boxes.begin(), now_->boxes.end());
  now_->boxes.clear();
  return std::exchange(boxes_, {});
}

void User::type(std::string_view text) {
  std::u32string run;
  auto flush = [&] {
    if (run.empty()) return;
    const std::optional<Control> at = focus();
    if (!at) return ADD_FAILURE() << "nothing has the focus to type \"" << utf8(run) << "\" into";
    act(typing(*at, std::exchange(run, {})));
  };
  for (char32_t c : utf32(text)) {
    if (c != U'\b') {
      run += c;
      continue;
    }
    flush();
    press(Key::Backspace);
  }
  flush();
}

void User::typeInto(Control box, std::string_view text) {
  click(box);
  type(text);
}

void User::clear(Control box) {
  click(box);
  press(Key::End);
  press(Key::Backspace, static_cast<int>(utf16Length(text(box))));
}

void User::commit(Control box, std::string_view text) { act(typing(box, utf32(text), true)); }

void User::paste(Control box, std::string_view text) { act(pasting(box, utf32(text))); }

void User::press(Key k, int times) {
  for (int i = 0; i < times; ++i) act(pressing(k));
}

void User::click(Control c) { act(clicking(c)); }

void User::choose(int anode, bool byMouse) { act(choosing(anode, byMouse)); }

bool User::ends(const Action& a) {
  now_.reset();
  return d_.performEnding(a);
}

}  // namespace window
