// The random user let loose on the Qt window, offscreen: every action of the
// model becomes real key and mouse events; after each one the window is read
// back and the model's facts are checked.
//   qt_monkey [--seed N] [--events N] [--verbose]   (or SORBEL_MONKEY_SEED, _EVENTS)
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "tests/monkey/monkey_model.h"
#include "ui/handlers.h"
#include "ui/qt/qt_form.h"

using monkey::Action;
using monkey::Key;
using ui::Control;

namespace {

// How long an awaited reaction may take. Waits end as soon as it comes, so
// this only matters on slow runs such as under valgrind.
constexpr int kPatience = 30000;

QString qs(std::u32string_view s) {
  return QString::fromUcs4(s.data(), static_cast<qsizetype>(s.size()));
}

class Runner {
 public:
  explicit Runner(std::uint64_t seed) : rng_(seed ^ 0xD15A1ull) {
    dismisser_.setInterval(0);
    QObject::connect(&dismisser_, &QTimer::timeout, [this] { dismiss(); });
  }

  long long lowLevelEvents = 0;
  int restarts = 0;

  void start() {
    form_ = std::make_unique<ui::qt::QtForm>();
    ui::frmXRD_Load(*form_);
    form_->window().show();
    if (!QTest::qWaitForWindowActive(&form_->window())) std::fprintf(stderr, "window not active\n");
    settle();
  }

  monkey::Snapshot snapshot() {
    monkey::Snapshot s;
    s.boxes = std::move(seen_);
    seen_.clear();
    s.alive = form_ && form_->window().isVisible() && responsive();
    for (int i = 0; i < ui::kControlCount; ++i) {
      const auto c = static_cast<Control>(i);
      s.text[i] = form_->text(c);
      s.enabled[i] = w(c)->isEnabled();
    }
    s.listIndex = combo()->currentIndex();
    s.focus = focusedControl();
    s.leftOpen = QApplication::activeModalWidget() != nullptr ||
                 QApplication::activePopupWidget() != nullptr || combo()->view()->isVisible();
    return s;
  }

  // Does `a`; false if it was to end the program and did not.
  void perform(const Action& a, bool ends) {
    if (ends) return performEnding(a);
    dismisser_.start();
    switch (a.kind) {
      case Action::Kind::Type:
        focusBox(a.box);
        if (a.inputMethod) {
          QInputMethodEvent e;
          e.setCommitString(qs(a.text));
          QApplication::sendEvent(target(), &e);
          ++lowLevelEvents;
        } else {
          typeChar(a.text.front());
        }
        break;
      case Action::Kind::Paste:
        QApplication::clipboard()->setText(qs(a.text));
        focusBox(a.box);
        keyClick(Qt::Key_V, Qt::ControlModifier);
        break;
      case Action::Kind::Press:
        press(a.key);
        break;
      case Action::Kind::Click:
        click(w(a.box));
        break;
      case Action::Kind::Choose:
        a.byMouse ? chooseByMouse(a.anode) : chooseByKeyboard(a.anode);
        break;
    }
    dismisser_.stop();
    settle();
  }

  // The program ended: a fresh start, as the user would open it again.
  void restart() {
    form_.reset();
    ++restarts;
    start();
  }

  void markEnded(monkey::Snapshot& s) const { s.ended = ended_; }

 private:
  QWidget* w(Control c) const { return form_->widget(c); }
  QComboBox* combo() const { return static_cast<QComboBox*>(w(Control::combWL)); }

  std::optional<Control> focusedControl() const {
    QWidget* f = QApplication::focusWidget();
    if (f == nullptr) return std::nullopt;
    if (f->parentWidget() == combo()) f = combo();
    for (int i = 0; i < ui::kControlCount; ++i)
      if (w(static_cast<Control>(i)) == f) return static_cast<Control>(i);
    return std::nullopt;
  }

  // Where keys go: the focused widget, else the window.
  QWidget* target() const {
    QWidget* f = QApplication::focusWidget();
    return f ? f : &form_->window();
  }

  // A queued call comes back within one pass of the loop.
  bool responsive() {
    bool answered = false;
    QMetaObject::invokeMethod(
        &form_->window(), [&answered] { answered = true; }, Qt::QueuedConnection);
    return QTest::qWaitFor([&answered] { return answered; }, kPatience);
  }

  // Lets the window finish what the events started. The offscreen platform
  // activates every window it shows, the list's popup too, and activates
  // nothing when one hides; a window manager gives the activation back to
  // the main window, so this does.
  void settle() {
    QApplication::processEvents();
    QWidget* active = QApplication::activeWindow();
    if (form_->window().isVisible() && (active == nullptr || !active->isVisible())) {
      form_->window().activateWindow();
      (void)QTest::qWaitFor([this] { return QApplication::activeWindow() == &form_->window(); },
                            500);
    }
  }

  void keyClick(Qt::Key k, Qt::KeyboardModifiers m = {}) {
    QTest::keyClick(target(), k, m);
    lowLevelEvents += 2;
  }

  void click(QWidget* widget, QPoint at = {}) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    lowLevelEvents += 2;
  }

  void focusBox(Control c) {
    if (focusedControl() == c) return;
    click(c == Control::combWL ? combo()->lineEdit() : w(c));
  }

  // A key carrying the character, as a keyboard or an input method in
  // key-event mode delivers it.
  void typeChar(char32_t ch) {
    const QString text = qs(std::u32string_view(&ch, 1));
    Qt::Key code = Qt::Key_unknown;
    if (ch >= U'a' && ch <= U'z') code = static_cast<Qt::Key>(Qt::Key_A + (ch - U'a'));
    if (ch >= U' ' && ch < U'a')
      code = static_cast<Qt::Key>(ch);  // Qt's codes are the upper-case ASCII
    const Qt::KeyboardModifiers shift =
        (ch >= U'A' && ch <= U'Z') ? Qt::ShiftModifier : Qt::NoModifier;
    QTest::sendKeyEvent(QTest::Press, target(), code, text, shift);
    QTest::sendKeyEvent(QTest::Release, target(), code, text, shift);
    lowLevelEvents += 2;
  }

  void press(Key k) {
    switch (k) {
      case Key::Backspace:
        return keyClick(Qt::Key_Backspace);
      case Key::Delete:
        return keyClick(Qt::Key_Delete);
      case Key::Enter:
        return keyClick(rng() % 2 ? Qt::Key_Return : Qt::Key_Enter);
      case Key::Escape:
        return keyClick(Qt::Key_Escape);
      case Key::Tab:
        return keyClick(Qt::Key_Tab);
      case Key::Backtab:
        return keyClick(Qt::Key_Backtab, Qt::ShiftModifier);
      case Key::Space:
        return keyClick(Qt::Key_Space);
      case Key::Left:
        return keyClick(Qt::Key_Left);
      case Key::Right:
        return keyClick(Qt::Key_Right);
      case Key::Home:
        return keyClick(Qt::Key_Home);
      case Key::End:
        return keyClick(Qt::Key_End);
      case Key::Up:
        return keyClick(Qt::Key_Up);
      case Key::Down:
        return keyClick(Qt::Key_Down);
      case Key::SelectAll:
        return keyClick(Qt::Key_A, Qt::ControlModifier);
      case Key::Undo:
        return keyClick(Qt::Key_Z, Qt::ControlModifier);
      case Key::Redo:
        return keyClick(Qt::Key_Y, Qt::ControlModifier);
      case Key::Cut:
        return keyClick(Qt::Key_X, Qt::ControlModifier);
      case Key::Copy:
        return keyClick(Qt::Key_C, Qt::ControlModifier);
    }
  }

  void chooseByMouse(int anode) {
    QComboBox* c = combo();
    click(c, QPoint(c->width() - 6, c->height() / 2));  // the arrow
    if (!QTest::qWaitFor([c] { return c->view()->isVisible(); }, kPatience)) return;
    // The list ignores releases until a timer of one double-click interval
    // has fired: wait the interval out, then let the timer's event through.
    QElapsedTimer open;
    open.start();
    while (open.elapsed() <= QApplication::doubleClickInterval() + 2) QTest::qSleep(1);
    QApplication::processEvents();
    QApplication::processEvents();
    const QRect item = c->view()->visualRect(c->model()->index(anode, 0));
    click(c->view()->viewport(), item.center());
    (void)QTest::qWaitFor([c] { return !c->view()->isVisible(); }, kPatience);
  }

  void chooseByKeyboard(int anode) {
    QComboBox* c = combo();
    focusBox(Control::combWL);
    keyClick(Qt::Key_Down, Qt::AltModifier);
    if (!QTest::qWaitFor([c] { return c->view()->isVisible(); }, kPatience)) return;
    QWidget* list = c->view();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < anode; ++i) QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    lowLevelEvents += 2 * (anode + 2);
    (void)QTest::qWaitFor([c] { return !c->view()->isVisible(); }, kPatience);
  }

  // Runs the loop as the program does, so that its end can end it.
  void performEnding(const Action& a) {
    QTimer::singleShot(
        0, [this, a] { a.kind == Action::Kind::Click ? click(w(a.box)) : press(a.key); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(kPatience);
    ended_ = QApplication::exec() == 0 && !form_->window().isVisible();
  }

  // Closes each message box the moment it is up, by a click on OK or a key,
  // and keeps what it showed.
  void dismiss() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    if (box != lastBox_) {
      lastBox_ = box;
      seen_.push_back({box->text().toStdString(), box->windowTitle().toStdString(),
                       box->icon() == QMessageBox::Critical});
    } else if (++attempts_ > 5) {
      box->done(0);  // the check reports the box the user could not close
      seen_.push_back({"(would not close) " + box->text().toStdString(), "", false});
      return;
    }
    attempts_ = 0;
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    switch (ok ? rng() % 4 : 3) {
      case 0:
      case 1:
        return click(ok);
      case 2:
        QTest::keyClick(box, Qt::Key_Return);
        lowLevelEvents += 2;
        return;
      default:
        QTest::keyClick(box, Qt::Key_Escape);
        lowLevelEvents += 2;
        return;
    }
  }

  std::uint64_t rng() {
    rng_ ^= rng_ << 13;
    rng_ ^= rng_ >> 7;
    rng_ ^= rng_ << 17;
    return rng_;
  }

  std::unique_ptr<ui::qt::QtForm> form_;
  QTimer dismisser_;
  std::vector<monkey::MessageBox> seen_;
  QPointer<QMessageBox> lastBox_;
  int attempts_ = 0;
  bool ended_ = false;
  std::uint64_t rng_;
};

// The offscreen platform says so for every popup and message box.
QtMessageHandler standardHandler = nullptr;
void quietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  standardHandler(type, context, message);
}

long long argument(int argc, char** argv, const char* flag, const char* env, long long fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string(argv[i]) == flag) return std::strtoll(argv[i + 1], nullptr, 0);
  if (const char* v = std::getenv(env); v && *v) return std::strtoll(v, nullptr, 0);
  return fallback;
}

}  // namespace

int main(int argc, char** argv) {
  standardHandler = qInstallMessageHandler(quietPlatform);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorbel"));
  const auto seed =
      static_cast<std::uint64_t>(argument(argc, argv, "--seed", "SORBEL_MONKEY_SEED", 20240611));
  const long long events = argument(argc, argv, "--events", "SORBEL_MONKEY_EVENTS", 20000);
  bool verbose = false;
  for (int i = 1; i < argc; ++i) verbose = verbose || std::string(argv[i]) == "--verbose";
  std::printf("qt_monkey: seed %llu, %lld events (replay: --seed %llu --events N)\n",
              static_cast<unsigned long long>(seed), events, static_cast<unsigned long long>(seed));
  std::fflush(stdout);

  // Offscreen nothing is slow to double-click; a short interval lets the
  // list take the click on its entry without a half-second wait each time.
  QGuiApplication::styleHints()->setMouseDoubleClickInterval(1);

  QElapsedTimer clock;
  clock.start();
  monkey::Monkey model(seed);
  Runner runner(seed);
  runner.start();
  monkey::Snapshot before = runner.snapshot();
  int failures = 0;
  auto report = [&](long long i, const std::string& what, const std::string& fact) {
    ++failures;
    if (failures <= 20) std::printf("FAIL at event %lld (%s): %s\n", i, what.c_str(), fact.c_str());
  };
  for (const auto& f : monkey::checkStart(before)) report(0, "start", f);
  std::deque<std::string> recent;
  // What the run went through, so that a quiet run is seen to have tried.
  std::map<std::string, int> tally;
  for (long long i = 1; i <= events; ++i) {
    const Action a = model.next(before);
    const bool ends = monkey::endsProgram(before, a);
    runner.perform(a, ends);
    monkey::Snapshot after = ends ? monkey::Snapshot{} : runner.snapshot();
    if (ends) runner.markEnded(after);
    const auto found = model.check(before, a, after);
    if (verbose) {
      std::printf("%lld %s [%lld ms] focus %s:", i, monkey::describe(a).c_str(), clock.elapsed(),
                  after.focus ? std::string(ui::nameOf(*after.focus)).c_str() : "-");
      for (Control c : {Control::txtD, Control::txt2X, Control::combWL, Control::txtWaveLengh,
                        Control::txtResult})
        std::printf(" %s=\"%s\"%s", std::string(ui::nameOf(c)).c_str(),
                    after.text[static_cast<int>(c)].c_str(),
                    after.enabled[static_cast<int>(c)] ? "" : "(off)");
      std::printf(" boxes %zu\n", after.boxes.size());
    }
    recent.push_back(monkey::describe(a));
    if (recent.size() > 12) recent.pop_front();
    for (const auto& f : found) report(i, monkey::describe(a), f);
    const bool calculates = a.kind == Action::Kind::Click
                                ? a.box == Control::cmdCalculation
                                : a.kind == Action::Kind::Press && a.key == Key::Space &&
                                      before.focus == Control::cmdCalculation;
    if (calculates && after.boxes.empty()) ++tally["results written"];
    if (a.kind == Action::Kind::Choose)
      ++tally[a.byMouse ? "anodes by mouse" : "anodes by keyboard"];
    if (a.kind == Action::Kind::Paste) ++tally["pastes"];
    if (a.kind == Action::Kind::Type && a.inputMethod) ++tally["input-method commits"];
    for (const auto& b : after.boxes) ++tally["box: " + b.text];
    if (!found.empty() && failures <= 20) {
      std::printf("  the last actions:\n");
      for (const auto& r : recent) std::printf("    %s\n", r.c_str());
    }
    if (ends || after.ended || !after.alive) {
      runner.restart();
      after = runner.snapshot();
      for (const auto& f : monkey::checkStart(after)) report(i, "restart", f);
    }
    before = std::move(after);
  }
  std::printf(
      "qt_monkey: %lld actions (%lld key and mouse events, %d restarts) in %.1f s, %d failure(s)\n",
      events, runner.lowLevelEvents, runner.restarts, clock.elapsed() / 1000.0, failures);
  for (const auto& [what, n] : tally) std::printf("  %6d %s\n", n, what.c_str());
  return failures == 0 ? 0 : 1;
}
