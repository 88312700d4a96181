#pragma once
#include <QWidget>
#include <array>

#include "ui/form.h"
#include "ui/layout.h"
#include "ui/qt/widgets.h"

namespace ui::qt {

// frmXRD over real Qt widgets, built from the layout table; every event the
// program handles is reported through ui/events.h.
class QtForm : public Form {
 public:
  QtForm();
  QtForm(const QtForm&) = delete;
  QtForm& operator=(const QtForm&) = delete;

  QWidget& window() { return window_; }
  // Takes the desktop's colours again (the form does so when they change).
  void applyColours();
  // The widget of a control (labels, lines and the shape too).
  QWidget* widget(Control c) const { return widgets_[static_cast<int>(c)]; }

  std::string text(Control c) const override;
  void setText(Control c, std::string_view utf8) override;
  void setEnabled(Control c, bool enabled) override;
  void setFocus(Control c) override;
  void messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) override;
  void end() override;

 private:
  void build();
  QWidget* make(const ControlSpec& s);

  FormWindow window_{[this] { applyColours(); }};
  std::array<QWidget*, kControlCount> widgets_{};
};

// The stand-in for a font of the table, in pixels at 96 dpi.
QFont standInFont(const Font& f);

}  // namespace ui::qt
