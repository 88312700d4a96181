#include "ui/qt/qt_form.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <cmath>

#include "ui/handlers.h"
#include "ui/qt/system_colours.h"
#include "ui/qt/widgets.h"

namespace ui::qt {
namespace {

QString qs(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QRect pixels(const Rect& r) {
  return {twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
          twipsToPixels(r.height)};
}

// Sets a foreground role for the active and inactive states only, so that a
// disabled box still greys its text.
void setFore(QWidget* w, QPalette::ColorRole role, const Colour& c) {
  if (c.kind == Colour::Kind::Ordinary) return;
  QPalette p = w->palette();
  p.setColor(QPalette::Active, role, toQColor(c, {}));
  p.setColor(QPalette::Inactive, role, toQColor(c, {}));
  w->setPalette(p);
}

void setBack(QWidget* w, QPalette::ColorRole role, const Colour& c) {
  if (c.kind == Colour::Kind::Ordinary) return;
  QPalette p = w->palette();
  p.setColor(role, toQColor(c, {}));
  w->setPalette(p);
}

}  // namespace

QFont standInFont(const Font& f) {
  // Both families have the Chinese glyphs of the captions. Noto Sans CJK sets
  // Latin letters and full-width punctuation about 6% wider than the extents
  // the layout gives the captions, so its sizes are scaled to fit them.
  const bool serif = f.family == "Times New Roman";
  QFont font(serif ? QStringLiteral(u"Noto Serif CJK SC") : QStringLiteral(u"Noto Sans CJK SC"));
  const double pixels = f.points * 96.0 / 72.0 * (serif ? 1.0 : 15.0 / 16.0);
  font.setPixelSize(static_cast<int>(std::lround(pixels)));
  font.setWeight(static_cast<QFont::Weight>(f.weight));
  return font;
}

QtForm::QtForm() { build(); }

void QtForm::build() {
  window_.setObjectName(QStringLiteral("frmXRD"));
  window_.setWindowTitle(qs(kWindow.caption));
  window_.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  window_.setFixedSize(twipsToPixels(kWindow.clientWidth), twipsToPixels(kWindow.clientHeight));
  setBack(&window_, QPalette::Window, kWindow.back);
  window_.setAutoFillBackground(true);

  // Created in tab order, so Qt's focus chain is the table's and wraps from
  // the last button to txtD; labels take no focus.
  for (const ControlSpec& s : kControls) widgets_[static_cast<int>(s.id)] = make(s);

  const QColor windowText = window_.palette().color(QPalette::WindowText);
  for (const LineSpec& l : kLines) {
    const QLine line(twipsToPixels(l.x1), twipsToPixels(l.y1), twipsToPixels(l.x2),
                     twipsToPixels(l.y2));
    auto* item = new LineItem(line, toQColor(l.colour, windowText), l.widthPixels, &window_);
    widgets_[static_cast<int>(l.id)] = item;
  }
  widgets_[static_cast<int>(kShape.id)] =
      new ShapeItem(pixels(kShape.rect), windowText, toQColor(kShape.hatch, {}), &window_);

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
      setFore(label, QPalette::WindowText, s.fore);
      // Sized to the caption in the font actually used; transparent.
      const QFontMetrics fm(label->font());
      label->setGeometry(
          QRect(pixels(s.rect).topLeft(), QSize(fm.horizontalAdvance(label->text()), fm.height())));
      return label;
    }
    case Kind::TextBox: {
      auto onKey = [this, id](std::int16_t& code) { keyPress(*this, id, code); };
      auto* box = new BoxEdit(s.maxLength, onKey, &window_);
      box->setProgramText(qs(s.text));
      box->setFontWhenShown(standInFont(s.font));
      box->setGeometry(pixels(s.rect));
      box->setAccessibleName(qs(spec(labelFor(id)).text));
      setBack(box, QPalette::Base, s.back);
      setFore(box, QPalette::Text, s.fore);
      return box;
    }
    case Kind::ComboBox: {
      auto* combo = new AnodeCombo(&window_);
      for (std::string_view entry : kAnodeList) combo->addItem(qs(entry));
      combo->setProgramText(qs(s.text));
      setBack(combo, QPalette::Base, s.back);
      setFore(combo, QPalette::Text, s.fore);
      QObject::connect(combo, &QComboBox::activated, &window_, [this, combo] {
        if (!combo->finishingEdit()) click(*this, Control::combWL);
      });
      w = combo;
      break;
    }
    case Kind::Button: {
      auto* button = new QPushButton(qs(s.text), &window_);
      button->setAutoDefault(false);  // Enter presses no button
      button->setDefault(false);
      setBack(button, QPalette::Button, s.back);
      QObject::connect(button, &QPushButton::clicked, &window_, [this, id] { click(*this, id); });
      w = button;
      break;
    }
  }
  w->setFont(standInFont(s.font));
  w->setGeometry(pixels(s.rect));
  w->setAccessibleName(qs(spec(labelFor(id)).text));
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

std::string QtForm::chosenEntry() const {
  const auto* combo = static_cast<const QComboBox*>(widget(Control::combWL));
  return combo->itemText(combo->currentIndex()).toStdString();  // "" for none
}

void QtForm::setFocus(Control c) { widget(c)->setFocus(Qt::OtherFocusReason); }

void QtForm::messageBox(std::string_view prompt, std::string_view title, MessageIcon icon) {
  const QString caption = title.empty() ? QApplication::applicationName() : qs(title);
  QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                  caption, qs(prompt), QMessageBox::Ok, &window_);
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
