#include "ui/qt/qt_form.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "ui/events.h"
#include "ui/pixels.h"
#include "ui/qt/widgets.h"

namespace ui::qt {
namespace {

QString qs(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QRect pixels(const Rect& r) {
  const PixelRect p = toPixels(r.left, r.top, r.width, r.height);
  return {p.left, p.top, p.width, p.height};
}

}  // namespace

QFont standInFont(const Font& f) {
  // Both families have the Chinese glyphs of the captions. Qt's pixels are
  // those of a 96 dpi screen, scaled for the real one.
  QFont font(qs(standInFamily(f)));
  font.setPixelSize(pointsToPixels(f.points));
  font.setWeight(static_cast<QFont::Weight>(f.weight));
  return font;
}

QtForm::QtForm() { build(); }

void QtForm::build() {
  window_.setObjectName(qs(kWindowName));
  window_.setWindowTitle(qs(kWindow.caption));
  window_.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  const QRect client = pixels({0, 0, kWindow.clientWidth, kWindow.clientHeight});
  window_.setFixedSize(client.size());
  window_.setAutoFillBackground(true);

  // Created in tab order, so Qt's focus chain is the table's and wraps from
  // the last button to txtD; labels take no focus.
  for (const ControlSpec& s : kControls) widgets_[static_cast<int>(s.id)] = make(s);

  for (const LineSpec& l : kLines) widgets_[static_cast<int>(l.id)] = new LineItem(l, &window_);
  widgets_[static_cast<int>(kShape.id)] = new ShapeItem(pixels(kShape.rect), &window_);
  applyColours();

  for (int c = 0; c < kControlCount; ++c)
    widgets_[c]->setObjectName(qs(nameOf(static_cast<Control>(c))));
  for (auto it = kStacking.rbegin(); it != kStacking.rend(); ++it) widget(*it)->raise();
  widget(Control::txtD)->setFocus();
}

QWidget* QtForm::make(const ControlSpec& s) {
  QWidget* w = nullptr;
  const Control id = s.id;
  switch (s.kind) {
    case Kind::Label: {
      auto* label = new QLabel(qs(s.text), &window_);
      label->setTextFormat(Qt::PlainText);
      label->setFont(standInFont(s.font));
      // Sized to the caption in the font actually used; transparent.
      const QFontMetrics fm(label->font());
      label->setGeometry(
          QRect(pixels(s.rect).topLeft(), QSize(fm.horizontalAdvance(label->text()), fm.height())));
      return label;
    }
    case Kind::TextBox: {
      auto* box = new BoxEdit(*this, id, s.maxLength, &window_);
      box->setProgramText(qs(s.text));
      box->setFontWhenShown(standInFont(s.font));
      box->setGeometry(pixels(s.rect));
      box->setAccessibleName(qs(accessibleName(id)));
      return box;
    }
    case Kind::ComboBox: {
      auto* combo = new AnodeCombo(&window_);
      for (std::size_t i = 0; i < kAnodeCount; ++i) combo->addItem(qs(anodeEntry(i)));
      combo->setProgramText(qs(s.text));
      QObject::connect(combo, &QComboBox::activated, &window_, [this, combo](int index) {
        if (!combo->finishingEdit()) chosen(*this, index);
      });
      w = combo;
      break;
    }
    case Kind::Button: {
      auto* button = new FaceButton(qs(s.text), &window_);
      button->setAutoDefault(false);  // Enter presses no button
      button->setDefault(false);
      QObject::connect(button, &QPushButton::clicked, &window_, [this, id] { clicked(*this, id); });
      w = button;
      break;
    }
  }
  w->setFont(standInFont(s.font));
  w->setGeometry(pixels(s.rect));
  w->setAccessibleName(qs(accessibleName(id)));
  return w;
}

std::string QtForm::text(Control c) const {
  QWidget* w = widget(c);
  if (auto* box = qobject_cast<QLineEdit*>(w)) return box->text().toStdString();
  if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText().toStdString();
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text().toStdString();
  if (auto* button = qobject_cast<QPushButton*>(w)) return button->text().toStdString();
  return {};
}

void QtForm::setText(Control c, std::string_view utf8) {
  QWidget* w = widget(c);
  if (auto* box = dynamic_cast<BoxEdit*>(w)) box->setProgramText(qs(utf8));
  if (auto* combo = dynamic_cast<AnodeCombo*>(w)) combo->setProgramText(qs(utf8));
}

void QtForm::setEnabled(Control c, bool enabled) { widget(c)->setEnabled(enabled); }

void QtForm::setFocus(Control c) { widget(c)->setFocus(Qt::OtherFocusReason); }

void QtForm::messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                  qs(title), qs(prompt), QMessageBox::Ok, &window_);
  box.exec();
  // Hand the activation back to the window, as a message box's owner gets it
  // on Windows; without a window manager nobody else would.
  window_.activateWindow();
}

void QtForm::end() {
  window_.hide();
  QCoreApplication::exit(0);
}

}  // namespace ui::qt
