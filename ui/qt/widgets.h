#pragma once
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <optional>

#include "ui/form.h"
#include "ui/look.h"

namespace ui::qt {

// A text box that reports every typed character before inserting it, and
// whose maximum length limits typing only: text set by the program is
// never cut.
class BoxEdit : public QLineEdit {
 public:
  BoxEdit(Form& form, Control id, int maxLength, QWidget* parent);

  void setProgramText(const QString& text);
  // The font, taken on once the box has anything to show: text, or a cursor
  // when enabled. An empty disabled box shows no glyph, so a face that only
  // it uses (the result's bold) is not loaded before it is needed.
  void setFontWhenShown(const QFont& font);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  void changeEvent(QEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void fitLimitToText();
  void takeFontIfShown();

  Form& form_;
  Control id_;
  int limit_;
  std::optional<QFont> pendingFont_;
};

// The editable drop-down list. QComboBox turns the end of an edit (Enter, or
// the focus leaving) into activated() when the typed text names an item;
// typing is no choice from the list, so such activations are flagged.
class AnodeCombo : public QComboBox {
 public:
  explicit AnodeCombo(QWidget* parent);

  // True while activated() comes from the end of an edit of the field.
  bool finishingEdit() const;
  void setProgramText(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
};

// The window, which follows the desktop's colours when they change.
class FormWindow : public QWidget {
 public:
  explicit FormWindow(std::function<void()> onDesktopColours)
      : onDesktopColours_(std::move(onDesktopColours)) {}

 protected:
  void changeEvent(QEvent* e) override;

 private:
  std::function<void()> onDesktopColours_;
};

// A push button drawn as the table asks: a flat face in its own colour
// inside the classic frame, whatever the widget style would paint.
class FaceButton : public QPushButton {
 public:
  using QPushButton::QPushButton;
  void setLook(const Look& look);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Look look_{};
};

// A straight line of the window, drawn over its own small widget so that it
// takes its place in the stacking order. Coordinates are the window's.
class LineItem : public QWidget {
 public:
  LineItem(const LineSpec& line, QWidget* parent);
  void setColour(QColor colour);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QLine line_;
  QRect pen_;  // what a straight line's pen covers
  QColor colour_;
  int width_;
};

// The frame rectangle: a one-pixel outline around a diagonal cross-hatch.
class ShapeItem : public QWidget {
 public:
  ShapeItem(QRect rect, QWidget* parent);
  void setColours(QColor outline, QColor hatch);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QColor outline_, hatch_;
};

}  // namespace ui::qt
