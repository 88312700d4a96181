#pragma once
#include <QComboBox>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "tests/monkey/random.h"
#include "tests/window/driver.h"
#include "ui/qt/qt_form.h"

namespace window {

// The Qt window, offscreen, driven with real key, mouse and input-method
// events. Message boxes are closed as they open, by a click on OK, Enter or
// Escape, as `seed` picks.
class QtDriver final : public Driver {
 public:
  explicit QtDriver(std::uint64_t seed = 1);
  ~QtDriver() override;

  void start() override;
  void perform(const Action& a) override;
  bool performEnding(const Action& a) override;
  Snapshot snapshot() override;
  std::vector<std::string> listEntries() override;
  void screenshot(const std::string& name) override;

  ui::qt::QtForm& form() { return *form_; }

 private:
  QWidget* w(Control c) const { return form_->widget(c); }
  QComboBox* combo() const;
  QWidget* target() const;
  std::optional<Control> focusedControl() const;
  void act(const Action& a);
  void settle();
  bool responsive();
  void keyClick(Qt::Key k, Qt::KeyboardModifiers m = {});
  void click(QWidget* widget, QPoint at = {});
  void clickInto(Control c);
  void typeChar(char32_t ch);
  void commit(const std::u32string& text);
  void press(Key k);
  void chooseByMouse(int anode);
  void chooseByKeyboard(int anode);
  void dismiss();

  std::unique_ptr<ui::qt::QtForm> form_;
  QTimer dismisser_;
  std::vector<MessageBox> seen_;
  QPointer<QMessageBox> lastBox_;
  int attempts_ = 0;
  monkey::Random random_;
};

}  // namespace window
