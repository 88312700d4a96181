#include "tests/qt/qt_driver.h"

#include <utility>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QStyleHints>
#include <QTest>

#include "ui/events.h"

namespace window {
namespace {

// How long an awaited reaction may take. Waits end as soon as it comes, so
// this only matters on slow runs such as under valgrind.
constexpr int kPatience = 30000;

QString qs(std::u32string_view s) {
  return QString::fromUcs4(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

QtDriver::QtDriver(std::uint64_t seed) : ToolkitDriver(seed) {
  // Offscreen nothing is slow to double-click; a short interval lets the
  // list take the click on its entry without a half-second wait each time.
  QGuiApplication::styleHints()->setMouseDoubleClickInterval(1);
  // A caret that does not blink: the screenshots (one of them ships) come
  // out the same however long the run takes to get to them.
  QGuiApplication::styleHints()->setCursorFlashTime(0);
  dismisser_.setInterval(0);
  QObject::connect(&dismisser_, &QTimer::timeout, [this] { dismiss(); });
}

QtDriver::~QtDriver() = default;

void QtDriver::start() {
  form_.reset();
  form_ = std::make_unique<ui::qt::QtForm>();
  ui::loaded(*form_);
  form_->window().show();
  (void)QTest::qWaitForWindowActive(&form_->window(), kPatience);
  settle();
}

QComboBox* QtDriver::combo() const { return static_cast<QComboBox*>(w(Control::combWL)); }

std::optional<Control> QtDriver::focus() {
  QWidget* f = QApplication::focusWidget();
  if (f == nullptr) return std::nullopt;
  if (f->parentWidget() == combo()) f = combo();  // its own field
  for (int i = 0; i < ui::kControlCount; ++i)
    if (w(static_cast<Control>(i)) == f) return static_cast<Control>(i);
  return std::nullopt;
}

// Where keys go: the focused widget, else the window.
QWidget* QtDriver::target() const {
  QWidget* f = QApplication::focusWidget();
  return f ? f : &form_->window();
}

// A queued call comes back within one pass of the loop.
bool QtDriver::responsive() {
  bool answered = false;
  QMetaObject::invokeMethod(
      &form_->window(), [&answered] { answered = true; }, Qt::QueuedConnection);
  return QTest::qWaitFor([&answered] { return answered; }, kPatience);
}

// Lets the window finish what the events started. The offscreen platform
// activates every window it shows, the list's popup too, and activates
// nothing when one hides; a window manager gives the activation back to the
// main window, so this does.
void QtDriver::settle() {
  QApplication::processEvents();
  QWidget* active = QApplication::activeWindow();
  if (form_->window().isVisible() && (active == nullptr || !active->isVisible())) {
    form_->window().activateWindow();
    (void)QTest::qWaitFor([this] { return QApplication::activeWindow() == &form_->window(); },
                          kPatience);
  }
}

Snapshot QtDriver::look() {
  Snapshot s;
  s.alive = form_->window().isVisible() && responsive();
  for (int i = 0; i < ui::kControlCount; ++i) {
    const auto c = static_cast<Control>(i);
    s.text[static_cast<std::size_t>(i)] = form_->text(c);
    s.enabled[static_cast<std::size_t>(i)] = w(c)->isEnabled();
  }
  s.listIndex = combo()->currentIndex();
  s.focus = focus();
  s.leftOpen = QApplication::activeModalWidget() != nullptr ||
               QApplication::activePopupWidget() != nullptr || combo()->view()->isVisible();
  return s;
}

std::vector<std::string> QtDriver::listEntries() {
  std::vector<std::string> entries;
  for (int i = 0; i < combo()->count(); ++i) entries.push_back(combo()->itemText(i).toStdString());
  return entries;
}

void QtDriver::screenshot(const std::string& name) {
  QDir().mkpath(SORBEL_SCREENSHOT_DIR);
  form_->window().grab().save(QString(SORBEL_SCREENSHOT_DIR "/") + QString::fromStdString(name));
}

// Its message boxes wait in a loop of their own: a timer closes them.
void QtDriver::perform(const Action& a) {
  dismisser_.start();
  act(a);
  dismisser_.stop();
  settle();
}

// Runs the loop as the program does, so that its end can end it.
bool QtDriver::performEnding(const Action& a) {
  QTimer::singleShot(0, [this, a] { act(a); });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  watchdog.start(kPatience);
  return QApplication::exec() == 0 && !form_->window().isVisible();
}

void QtDriver::toClipboard(const std::u32string& text) {
  QApplication::clipboard()->setText(qs(text));
}

void QtDriver::keyClick(Qt::Key k, Qt::KeyboardModifiers m) { QTest::keyClick(target(), k, m); }

void QtDriver::click(QWidget* widget, QPoint at) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

// A button in its middle; a box (combWL: its field) at its right end, which
// puts the caret after the text.
void QtDriver::click(Control c) {
  QWidget* widget = c == Control::combWL ? combo()->lineEdit() : w(c);
  if (ui::spec(c).kind == ui::Kind::Button) return click(widget);
  click(widget, QPoint(widget->width() - 3, widget->height() / 2));
}

// A key carrying the character, as a keyboard or an input method in
// key-event mode delivers it.
void QtDriver::typeChar(char32_t ch) {
  const QString text = qs(std::u32string_view(&ch, 1));
  Qt::Key code = Qt::Key_unknown;
  if (ch >= U'a' && ch <= U'z') code = static_cast<Qt::Key>(Qt::Key_A + (ch - U'a'));
  if (ch >= U' ' && ch < U'a') code = static_cast<Qt::Key>(ch);  // Qt's codes are upper-case ASCII
  const Qt::KeyboardModifiers shift =
      (ch >= U'A' && ch <= U'Z') ? Qt::ShiftModifier : Qt::NoModifier;
  QTest::sendKeyEvent(QTest::Press, target(), code, text, shift);
  QTest::sendKeyEvent(QTest::Release, target(), code, text, shift);
}

void QtDriver::commit(const std::u32string& text) {
  QInputMethodEvent e;
  e.setCommitString(qs(text));
  QApplication::sendEvent(target(), &e);
}

// The Qt key and modifiers of each window::Key, in its order.
constexpr std::pair<Qt::Key, Qt::KeyboardModifier> kKeys[] = {
    {Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_Delete, Qt::NoModifier},
    {Qt::Key_Return, Qt::NoModifier},    {Qt::Key_Escape, Qt::NoModifier},
    {Qt::Key_Tab, Qt::NoModifier},       {Qt::Key_Backtab, Qt::ShiftModifier},
    {Qt::Key_Space, Qt::NoModifier},     {Qt::Key_Left, Qt::NoModifier},
    {Qt::Key_Right, Qt::NoModifier},     {Qt::Key_Home, Qt::NoModifier},
    {Qt::Key_End, Qt::NoModifier},       {Qt::Key_Up, Qt::NoModifier},
    {Qt::Key_Down, Qt::NoModifier},      {Qt::Key_A, Qt::ControlModifier},
    {Qt::Key_Z, Qt::ControlModifier},    {Qt::Key_Y, Qt::ControlModifier},
    {Qt::Key_X, Qt::ControlModifier},    {Qt::Key_C, Qt::ControlModifier},
};
static_assert(std::size(kKeys) == static_cast<std::size_t>(Key::Copy) + 1);

void QtDriver::press(Key k) {
  if (k == Key::Enter) return keyClick(random_.chance(50) ? Qt::Key_Return : Qt::Key_Enter);
  const auto& [key, modifier] = kKeys[static_cast<std::size_t>(k)];
  keyClick(key, modifier);
}

void QtDriver::chooseByMouse(int anode) {
  QComboBox* c = combo();
  click(c, QPoint(c->width() - 6, c->height() / 2));  // the arrow
  if (!QTest::qWaitFor([c] { return c->view()->isVisible(); }, kPatience)) return;
  // The list ignores releases until a timer of one double-click interval has
  // fired: wait the interval out, then let the timer's event through.
  QElapsedTimer open;
  open.start();
  while (open.elapsed() <= QApplication::doubleClickInterval() + 2) QTest::qSleep(1);
  QApplication::processEvents();
  QApplication::processEvents();
  const QRect item = c->view()->visualRect(c->model()->index(anode, 0));
  click(c->view()->viewport(), item.center());
  (void)QTest::qWaitFor([c] { return !c->view()->isVisible(); }, kPatience);
}

// Alt+Down opens the list; Home and Down move to the entry; Enter takes it.
void QtDriver::chooseByKeyboard(int anode) {
  QComboBox* c = combo();
  focusBox(Control::combWL);
  keyClick(Qt::Key_Down, Qt::AltModifier);
  if (!QTest::qWaitFor([c] { return c->view()->isVisible(); }, kPatience)) return;
  QWidget* list = c->view();
  QTest::keyClick(list, Qt::Key_Home);
  for (int i = 0; i < anode; ++i) QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Return);
  (void)QTest::qWaitFor([c] { return !c->view()->isVisible(); }, kPatience);
}

// Closes each message box the moment it is up, by a click on OK or a key,
// and keeps what it showed.
void QtDriver::dismiss() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) return;
  if (box != lastBox_) {
    lastBox_ = box;
    saw({box->text().toStdString(), box->windowTitle().toStdString(),
         box->icon() == QMessageBox::Critical, box->standardButtons() == QMessageBox::Ok});
  } else if (++attempts_ > 5) {
    box->done(0);  // the check reports the box the user could not close
    stuck(box->text().toStdString());
    return;
  }
  attempts_ = 0;
  QAbstractButton* ok = box->button(QMessageBox::Ok);
  const int how = ok ? random_.below(4) : 3;
  if (how < 2) return click(ok);
  QTest::keyClick(box, how == 2 ? Qt::Key_Return : Qt::Key_Escape);
}

}  // namespace window
