#pragma once
#include <QComboBox>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "tests/window/toolkit_driver.h"
#include "ui/qt/qt_form.h"

namespace window {

// The Qt window, offscreen, driven with real key, mouse and input-method
// events. Message boxes are closed as they open, by a click on OK, Enter or
// Escape, as `seed` picks.
class QtDriver final : public ToolkitDriver {
 public:
  explicit QtDriver(std::uint64_t seed = 1);
  ~QtDriver() override;

  void start() override;
  void perform(const Action& a) override;
  bool performEnding(const Action& a) override;
  std::vector<std::string> listEntries() override;
  void screenshot(const std::string& name) override;

  ui::qt::QtForm& form() { return *form_; }

 private:
  QWidget* w(Control c) const { return form_->widget(c); }
  QComboBox* combo() const;
  QWidget* target() const;
  void settle();
  bool responsive();
  void keyClick(Qt::Key k, Qt::KeyboardModifiers m = {});
  void click(QWidget* widget, QPoint at = {});
  void dismiss();

  Snapshot look() override;
  std::optional<Control> focus() override;
  void click(Control c) override;
  void typeChar(char32_t ch) override;
  void commit(const std::u32string& text) override;
  void toClipboard(const std::u32string& text) override;
  void pasteKey() override { keyClick(Qt::Key_V, Qt::ControlModifier); }
  void press(Key k) override;
  void chooseByMouse(int anode) override;
  void chooseByKeyboard(int anode) override;
  void closeWindow() override { form_->window().close(); }
  // A refused character's box has gone: the window is active again.
  void afterChar() override { settle(); }

  std::unique_ptr<ui::qt::QtForm> form_;
  QTimer dismisser_;
  QPointer<QMessageBox> lastBox_;
  int attempts_ = 0;
};

}  // namespace window
