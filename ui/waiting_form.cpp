#include "ui/waiting_form.h"

#include <utility>

namespace ui {

std::string WaitingForm::text(Control c) const {
  if (const auto& set = set_[static_cast<std::size_t>(c)]) return *set;
  return shown_.text(c);
}

void WaitingForm::setText(Control c, std::string_view utf8) {
  if (boxOpen_) set_[static_cast<std::size_t>(c)] = std::string(utf8);
  later([this, c, text = std::string(utf8)] { shown_.setText(c, text); });
}

void WaitingForm::setEnabled(Control c, bool enabled) {
  later([this, c, enabled] { shown_.setEnabled(c, enabled); });
}

void WaitingForm::setFocus(Control c) {
  later([this, c] { shown_.setFocus(c); });
}

void WaitingForm::messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) {
  later([this, prompt = std::string(prompt), title = std::string(title), icon] {
    boxOpen_ = true;
    shown_.messageBox(prompt, title, icon);
  });
}

void WaitingForm::end() {
  later([this] { shown_.end(); });
}

void WaitingForm::dismissed() {
  boxOpen_ = false;
  while (!boxOpen_ && !waiting_.empty()) {
    auto request = std::move(waiting_.front());
    waiting_.pop_front();
    request();
  }
  if (waiting_.empty()) set_ = {};
}

void WaitingForm::later(std::function<void()> request) {
  if (boxOpen_)
    waiting_.push_back(std::move(request));
  else
    request();
}

}  // namespace ui
