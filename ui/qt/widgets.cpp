#include "ui/qt/widgets.h"

#include <qdrawutil.h>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>

#include "ui/events.h"

namespace ui::qt {

BoxEdit::BoxEdit(Form& form, Control id, int maxLength, QWidget* parent)
    : QLineEdit(parent), form_(form), id_(id), limit_(maxLength) {
  if (limit_ > 0) setMaxLength(limit_);
}

void BoxEdit::setProgramText(const QString& text) {
  // QLineEdit cuts to maxLength even here; lift the limit to the text.
  if (limit_ > 0) setMaxLength(std::max(limit_, static_cast<int>(text.size())));
  setText(text);
  setCursorPosition(0);  // a text too long for the box shows its start, as on Windows
  takeFontIfShown();
}

void BoxEdit::setFontWhenShown(const QFont& font) {
  pendingFont_ = font;
  takeFontIfShown();
}

void BoxEdit::takeFontIfShown() {
  if (!pendingFont_ || (text().isEmpty() && !(isEnabled() && isVisible()))) return;
  setFont(*pendingFont_);
  pendingFont_.reset();
}

void BoxEdit::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange) takeFontIfShown();
  QLineEdit::changeEvent(e);
}

void BoxEdit::showEvent(QShowEvent* e) {
  takeFontIfShown();
  QLineEdit::showEvent(e);
}

// After the program wrote a long text the limit sits at its length; each
// edit by the user may shrink it back towards the box's own limit, never grow.
void BoxEdit::fitLimitToText() {
  if (limit_ <= 0) return;
  const int wanted = std::max(limit_, static_cast<int>(text().size()));
  if (maxLength() == wanted) return;
  // setMaxLength re-sets the text, which moves the cursor and drops the selection.
  const int cursor = cursorPosition(), start = selectionStart(), length = selectionLength();
  setMaxLength(wanted);
  if (length <= 0)
    setCursorPosition(cursor);
  else if (cursor == start)
    setSelection(start + length, -length);
  else
    setSelection(start, length);
}

namespace {

// The characters a key types, as the KeyPress event sees them: Delete types
// none (X11 gives it "\x7f"), and Ctrl with a letter or one of @[\]^_ types
// its control character whatever text the platform plugin put in the event.
QString typedCharacters(const QKeyEvent* e) {
  if (e->key() == Qt::Key_Delete) return {};
  const QString text = e->text();
  const auto mods = e->modifiers();
  if (!(mods & Qt::ControlModifier) || (mods & Qt::AltModifier) || text.size() != 1) return text;
  const char16_t c = text[0].unicode();
  if (c < 32) return text;
  const char16_t upper = (c >= u'a' && c <= u'z') ? c - 32 : c;
  if (upper >= u'@' && upper <= u'_') return QString(QChar(upper & 0x1F));
  return {};
}

}  // namespace

void BoxEdit::keyPressEvent(QKeyEvent* e) {
  const QString chars = typedCharacters(e);
  bool refused = false;
  for (char32_t ch : chars.toUcs4())
    refused = typed(form_, id_, ch) == Keystroke::Swallow || refused;
  if (refused) return e->accept();
  fitLimitToText();
  QLineEdit::keyPressEvent(e);
}

void BoxEdit::inputMethodEvent(QInputMethodEvent* e) {
  if (e->commitString().isEmpty()) return QLineEdit::inputMethodEvent(e);
  const QList<uint> commit = e->commitString().toUcs4();
  const Committed kept =
      committed(form_, id_,
                std::u32string_view(reinterpret_cast<const char32_t*>(commit.data()),
                                    static_cast<std::size_t>(commit.size())));
  const QString insert = QString::fromUcs4(kept.insert.data(), kept.insert.size());
  QInputMethodEvent filtered(e->preeditString(), e->attributes());
  if (kept.emptied)
    filtered.setCommitString(insert);
  else
    filtered.setCommitString(insert, e->replacementStart(), e->replacementLength());
  fitLimitToText();
  QLineEdit::inputMethodEvent(&filtered);
  e->accept();
}

namespace {

// Marks the two places where QLineEdit emits editingFinished.
class AnodeField : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;
  bool finishing = false;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    const QScopedValueRollback mark(finishing, true);
    QLineEdit::keyPressEvent(e);
  }
  void focusOutEvent(QFocusEvent* e) override {
    const QScopedValueRollback mark(finishing, true);
    QLineEdit::focusOutEvent(e);
  }
};

}  // namespace

AnodeCombo::AnodeCombo(QWidget* parent) : QComboBox(parent) {
  setLineEdit(new AnodeField(this));
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);  // its inline completion and activations are not the list's
}

bool AnodeCombo::finishingEdit() const { return static_cast<AnodeField*>(lineEdit())->finishing; }

// With no entry chosen, Up in the closed list lands on the first entry, as
// Down does and as a Windows drop-down list does; Qt's would stay put.
void AnodeCombo::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Up && currentIndex() < 0 && !(e->modifiers() & Qt::AltModifier)) {
    QKeyEvent down(e->type(), Qt::Key_Down, e->modifiers(), e->text());
    return QComboBox::keyPressEvent(&down);
  }
  QComboBox::keyPressEvent(e);
}

void AnodeCombo::setProgramText(const QString& text) {
  setCurrentIndex(-1);  // a text of the field, not a chosen item
  setEditText(text);
}

void FormWindow::changeEvent(QEvent* e) {
  if (e->type() == QEvent::ApplicationPaletteChange && onDesktopColours_) onDesktopColours_();
  QWidget::changeEvent(e);
}

void FaceButton::setLook(const Look& look) {
  look_ = look;
  update();
}

void FaceButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const Rgb face = isEnabled() ? look_.ground : look_.disabledGround;
  const Rgb ink = isEnabled() ? look_.text : look_.disabledText;
  const QBrush fill(QColor(face.r, face.g, face.b));
  qDrawWinButton(&p, rect(), palette(), isDown(), &fill);
  p.setPen(QColor(ink.r, ink.g, ink.b));
  p.setFont(font());
  p.drawText(rect().translated(isDown() ? QPoint(1, 1) : QPoint()), Qt::AlignCenter, text());
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(4, 4, -4, -4);
    focus.backgroundColor = fill.color();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
  }
}

LineItem::LineItem(const LineSpec& l, QWidget* parent)
    : QWidget(parent),
      line_(twipsToPixels(l.x1), twipsToPixels(l.y1), twipsToPixels(l.x2), twipsToPixels(l.y2)),
      pen_(penBox(l).left, penBox(l).top, penBox(l).width, penBox(l).height),
      width_(l.widthPixels) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(pen_);
}

void LineItem::setColour(QColor colour) {
  colour_ = colour;
  update();
}

void LineItem::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.translate(-pos());
  if (line_.dx() != 0 && line_.dy() != 0) {
    p.setPen(QPen(colour_, width_));
    return p.drawLine(line_);
  }
  // The pixels GDI's wide pen covers, whatever the raster engine would round to.
  p.fillRect(pen_, colour_);
}

ShapeItem::ShapeItem(QRect rect, QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(rect);
}

void ShapeItem::setColours(QColor outline, QColor hatch) {
  outline_ = outline;
  hatch_ = hatch;
  update();
}

void ShapeItem::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect().adjusted(1, 1, -1, -1), QBrush(hatch_, Qt::DiagCrossPattern));
  p.setPen(QPen(outline_, 1));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace ui::qt
