#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "calc/grain_size_formula.h"
#include "calc/key_filter.h"
#include "calc/number_text.h"
#include "message_boxes.h"
#include "ui/handlers.h"
#include "ui/layout.h"
#include "ui/qt/qt_form.h"

using ui::Control;

namespace {

// How long a wait may take before it fails. Waits end as soon as their
// condition holds, so this only matters on slow runs such as under valgrind.
constexpr int kPatience = 30000;

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), s.size()); }

// What the formula gives for the texts, as the result box would show it.
QString expected(const char* beta, const char* twoTheta, const char* lambda) {
  auto single = [](const char* t) { return static_cast<float>(calc::NumberText::parse(t)); };
  return qs(calc::NumberText::format(
      calc::GrainSizeFormula(single(beta), single(twoTheta), single(lambda))));
}

}  // namespace

class FrmXrdTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ui::qt::QtForm> form;

  QWidget* w(Control c) { return form->widget(c); }
  QLineEdit* box(Control c) { return qobject_cast<QLineEdit*>(w(c)); }
  QComboBox* combo() { return qobject_cast<QComboBox*>(w(Control::combWL)); }
  QString text(Control c) { return qs(form->text(c)); }
  QString focused() {
    QWidget* f = focus();
    if (f && f->parentWidget() == combo()) f = combo();  // its own field
    return f ? f->objectName() : QString();
  }
  void click(Control c) { QTest::mouseClick(w(c), Qt::LeftButton); }
  // Keys go where the focus is, as the user's would; after a message box
  // the window takes the focus back once it is active again.
  static QWidget* focus() {
    if (!QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, kPatience))
      return nullptr;
    return QApplication::focusWidget();
  }
  void type(const QString& keys) {
    for (QChar c : keys) QTest::keyClicks(focus(), QString(c));
  }
  void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(focus(), k, m); }
  void typeInto(Control c, const QString& keys) {
    click(c);
    key(Qt::Key_A, Qt::ControlModifier);
    if (keys.isEmpty()) return key(Qt::Key_Backspace);
    type(keys);
  }
  void commitFromInputMethod(Control c, const QString& s) {
    QInputMethodEvent e;
    e.setCommitString(s);
    QApplication::sendEvent(w(c), &e);
  }
  void chooseWithMouse(const QString& entry) {
    QComboBox* c = combo();
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(c->width() - 6, c->height() / 2));
    QTRY_VERIFY_WITH_TIMEOUT(c->view()->isVisible(), kPatience);
    QTest::qWait(QApplication::doubleClickInterval() + 50);  // not read as the opening click
    const QRect item = c->view()->visualRect(c->model()->index(c->findText(entry), 0));
    QTest::mouseClick(c->view()->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY_WITH_TIMEOUT(!c->view()->isVisible(), kPatience);
  }
  void saveScreenshot(const QString& name) {
    QDir().mkpath(SORBEL_SCREENSHOT_DIR);
    QVERIFY(form->window().grab().save(SORBEL_SCREENSHOT_DIR "/" + name));
  }
  // Runs the event loop until the program ends; false if it does not.
  bool runsToTheEnd(const std::function<void()>& action) {
    QTimer::singleShot(0, action);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(kPatience);
    return QApplication::exec() == 0;
  }

 private slots:
  void initTestCase() { QApplication::setApplicationName("Sorbel"); }

  void init() {
    form = std::make_unique<ui::qt::QtForm>();
    ui::frmXRD_Load(*form);
    form->window().show();
    QVERIFY(QTest::qWaitForWindowActive(&form->window(), kPatience));
  }
  void cleanup() { form.reset(); }

  void windowOpensInItsStartingState() {
    QWidget& win = form->window();
    QCOMPARE(win.windowTitle(), "Sorbel");
    QCOMPARE(win.size(), QSize(353, 289));
    QCOMPARE(win.minimumSize(), win.maximumSize());
    QVERIFY(!(win.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));
    QCOMPARE(text(Control::txtD), "");
    QCOMPARE(text(Control::txt2X), "");
    QCOMPARE(text(Control::txtResult), "");
    QCOMPARE(text(Control::txtWaveLengh), "0.154056");
    QCOMPARE(text(Control::combWL), "Cu");
    QCOMPARE(combo()->currentIndex(), -1);
    QVERIFY(!w(Control::txtResult)->isEnabled());
    QVERIFY(!w(Control::txtWaveLengh)->isEnabled());
    QCOMPARE(focused(), "txtD");
    QStringList entries;
    for (int i = 0; i < combo()->count(); ++i) entries << combo()->itemText(i);
    QCOMPARE(entries, QStringList({"Cu", "Cu(Ave)", "Cr", "Fe", "Co", "其他"}));
    QVERIFY(combo()->isEditable());
    QCOMPARE(combo()->completer(), nullptr);
  }

  void everyPartCarriesItsNameAndEveryBoxItsLabel() {
    for (int i = 0; i < ui::kControlCount; ++i) {
      const auto c = static_cast<Control>(i);
      QCOMPARE(w(c)->objectName(), qs(ui::nameOf(c)));
    }
    for (Control c : {Control::txtD, Control::txt2X, Control::combWL, Control::txtResult,
                      Control::txtWaveLengh})
      QCOMPARE(w(c)->accessibleName(), qs(ui::spec(ui::labelFor(c)).text));
  }

  void partsAreStackedTopToBottomAsListed() {
    QStringList bottomToTop;
    for (QObject* o : form->window().children())
      if (o->isWidgetType() && !o->objectName().isEmpty()) bottomToTop.prepend(o->objectName());
    QStringList listed;
    for (Control c : ui::kStacking) listed << qs(ui::nameOf(c));
    QCOMPARE(bottomToTop, listed);
  }

  void captionsFitBesideTheirBoxes() {
    auto right = [&](Control c) { return w(c)->geometry().right(); };
    auto left = [&](Control c) { return w(c)->x(); };
    QVERIFY(right(Control::Label1) < left(Control::txtD));
    QVERIFY(right(Control::Label2) < left(Control::txt2X));
    QVERIFY(right(Control::Label5) < left(Control::combWL) + 4);  // 3 px lie under it in the table
    for (const auto& s : ui::kControls) {
      auto* label = qobject_cast<QLabel*>(w(s.id));
      if (label == nullptr) continue;
      QVERIFY2(label->width() <= ui::twipsToPixels(s.rect.width) + 2, qPrintable(label->text()));
      QVERIFY(QFontMetrics(label->font()).inFontUcs4(U'计'));  // a font with the Chinese glyphs
      QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }
  }

  void typicalUseShowsTheCrystalliteSize() {
    MessageBoxes boxes;
    type("0.25");
    key(Qt::Key_Tab);
    type("31.8");
    click(Control::cmdCalculation);
    QCOMPARE(text(Control::txtResult), expected("0.25", "31.8", "0.154056"));
    QVERIFY(w(Control::txtResult)->isEnabled());
    for (Control c : {Control::txtD, Control::txtResult, Control::txtWaveLengh})
      QCOMPARE(w(c)->font(), ui::qt::standInFont(ui::spec(c).font));
    QVERIFY(QFontInfo(w(Control::txtResult)->font()).bold());
    saveScreenshot("frmXRD-result.png");

    typeInto(Control::txtD, "0.2");
    typeInto(Control::txt2X, "30");
    click(Control::cmdCalculation);
    QCOMPARE(text(Control::txtResult), "40.6646921851893");
    QVERIFY(boxes.seen.isEmpty());
  }

  void windowRendersWithItsChineseCaptions() {
    saveScreenshot("frmXRD.png");
    for (Control c : {Control::Label1, Control::cmdCalculation, Control::txtD})
      QVERIFY(QFontInfo(w(c)->font()).family().contains("CJK"));
  }

  void refusedCharacterShowsTheBoxMessageAndEmptiesTheBox_data() {
    QTest::addColumn<int>("control");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("rule");
    QTest::newRow("minus in txtD")
        << int(Control::txtD) << "12-" << int(calc::KeyFilter::Box::txtD);
    QTest::newRow("e in txtD") << int(Control::txtD) << "1e" << int(calc::KeyFilter::Box::txtD);
    QTest::newRow("minus in txt2X")
        << int(Control::txt2X) << "3-" << int(calc::KeyFilter::Box::txt2X);
    QTest::newRow("comma in txt2X")
        << int(Control::txt2X) << "3," << int(calc::KeyFilter::Box::txt2X);
  }
  void refusedCharacterShowsTheBoxMessageAndEmptiesTheBox() {
    QFETCH(int, control);
    QFETCH(QString, typed);
    QFETCH(int, rule);
    const auto c = static_cast<Control>(control);
    MessageBoxes boxes;
    typeInto(c, typed);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text, qs(calc::KeyFilter::rejection(calc::KeyFilter::Box(rule))));
    QCOMPARE(boxes.seen[0].title, "Sorbel");
    QCOMPARE(boxes.seen[0].icon, QMessageBox::NoIcon);
    QCOMPARE(boxes.seen[0].buttons, QMessageBox::Ok);
    QCOMPARE(text(c), "");
    type("5");
    QCOMPARE(text(c), "5");
  }

  void controlKeysChineseAndPastedTextPassTheFilters() {
    MessageBoxes boxes;
    type("1 23");
    key(Qt::Key_Backspace);
    key(Qt::Key_Return);
    key(Qt::Key_Escape);
    QCOMPARE(text(Control::txtD), "1 2");
    commitFromInputMethod(Control::txtD, "角度");
    QCOMPARE(text(Control::txtD), "1 2角度");
    click(Control::txt2X);
    commitFromInputMethod(Control::txt2X, "二");
    QCOMPARE(text(Control::txt2X), "二");
    QApplication::clipboard()->setText("-5e");
    key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(text(Control::txt2X), "二-5e");
    QVERIFY(boxes.seen.isEmpty());
  }

  void inputMethodTextIsJudgedOneCharacterAtATime() {
    MessageBoxes boxes;
    type("9");
    commitFromInputMethod(Control::txtD, "1-2");
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(text(Control::txtD), "2");
  }

  void emptyInputIsRefusedWithOneCriticalBox() {
    MessageBoxes boxes;
    type("0.2");
    typeInto(Control::txt2X, "30");
    click(Control::cmdCalculation);
    typeInto(Control::txt2X, "");
    click(Control::cmdCalculation);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text, qs(ui::kEmptyInputMessage));
    QCOMPARE(boxes.seen[0].title, "Sorbel");
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
    QCOMPARE(boxes.seen[0].buttons, QMessageBox::Ok);
    QTRY_COMPARE_WITH_TIMEOUT(focused(), "txtD", kPatience);
    QVERIFY(!w(Control::txtResult)->isEnabled());
    QCOMPARE(text(Control::txtResult), "40.6646921851893");  // the old result stays visible
  }

  void arithmeticErrorIsReportedAndTheWindowWorksOn() {
    MessageBoxes boxes;
    type("0.2");
    typeInto(Control::txt2X, "30");
    click(Control::cmdCalculation);
    typeInto(Control::txtD, "0");
    click(Control::cmdCalculation);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text,
             qs(ui::arithmeticErrorMessage(calc::ArithmeticError::Kind::DivisionByZero)));
    QCOMPARE(boxes.seen[0].title, "Sorbel");
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
    QCOMPARE(text(Control::txtResult), "40.6646921851893");
    QVERIFY(w(Control::txtResult)->isEnabled());
    typeInto(Control::txtD, "1");
    typeInto(Control::txt2X, "60");
    click(Control::cmdCalculation);
    QCOMPARE(text(Control::txtResult), expected("1", "60", "0.154056"));
  }

  void anodeChosenWithTheMouseSetsAndLocksTheWavelength() {
    chooseWithMouse("其他");
    QVERIFY(w(Control::txtWaveLengh)->isEnabled());
    QCOMPARE(text(Control::txtWaveLengh), "");
    QTRY_COMPARE_WITH_TIMEOUT(focused(), "txtWaveLengh", kPatience);
    type("0.3");
    chooseWithMouse("Cr");
    QCOMPARE(text(Control::txtWaveLengh), "0.228970");
    QVERIFY(!w(Control::txtWaveLengh)->isEnabled());
    typeInto(Control::txtD, "1");
    typeInto(Control::txt2X, "60");
    click(Control::cmdCalculation);
    QCOMPARE(text(Control::txtResult), "13.4821954151068");
  }

  void anodeChosenWithTheKeyboardSetsTheWavelength() {
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    QCOMPARE(focused(), "combWL");
    key(Qt::Key_Down);  // from no item to the first
    QCOMPARE(combo()->currentIndex(), 0);
    key(Qt::Key_Down);
    QCOMPARE(text(Control::txtWaveLengh), "0.154184");
    key(Qt::Key_Down, Qt::AltModifier);  // the list opens; Enter chooses there
    QTRY_VERIFY_WITH_TIMEOUT(combo()->view()->isVisible(), kPatience);
    QTest::keyClick(combo()->view(), Qt::Key_Down);
    QTest::keyClick(combo()->view(), Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(!combo()->view()->isVisible(), kPatience);
    QCOMPARE(text(Control::combWL), "Cr");
    QCOMPARE(text(Control::txtWaveLengh), "0.228970");
  }

  void typingAnAnodeNameIntoTheListFieldChoosesNothing() {
    chooseWithMouse("其他");
    MessageBoxes boxes;
    for (Qt::Key end : {Qt::Key_Return, Qt::Key_Tab}) {
      typeInto(Control::combWL, "Fe");
      key(end);  // QComboBox would take Enter or leaving the field as choosing "Fe"
      QCOMPARE(text(Control::txtWaveLengh), "");
      QVERIFY(w(Control::txtWaveLengh)->isEnabled());
    }
    QCOMPARE(text(Control::combWL), "Fe");
    QVERIFY(boxes.seen.isEmpty());
  }

  void resetAfterOtherLeavesTheWavelengthBoxEditable() {
    chooseWithMouse("其他");
    type("0.2");
    typeInto(Control::txtD, "0.3");
    typeInto(Control::txt2X, "40");
    click(Control::cmdCalculation);
    QCOMPARE(text(Control::txtResult), expected("0.3", "40", "0.2"));
    click(Control::cmdReCalculation);
    QCOMPARE(text(Control::txtD), "");
    QCOMPARE(text(Control::txt2X), "");
    QCOMPARE(text(Control::txtResult), "");
    QVERIFY(!w(Control::txtResult)->isEnabled());
    QCOMPARE(text(Control::combWL), "Cu");
    QCOMPARE(combo()->currentIndex(), -1);
    QCOMPARE(text(Control::txtWaveLengh), "0.154056");
    QVERIFY(w(Control::txtWaveLengh)->isEnabled());
    QCOMPARE(focused(), "txtD");
  }

  void tabVisitsTheEnabledControlsInOrderAndWraps() {
    auto tabRound = [&] {
      QStringList seen;
      do {
        key(Qt::Key_Tab);
        seen << focused();
      } while (seen.size() < 12 && seen.last() != "txtD");
      return seen;
    };
    QCOMPARE(tabRound(), QStringList({"txt2X", "combWL", "cmdCalculation", "cmdReCalculation",
                                      "cmdEnd", "txtD"}));
    chooseWithMouse("其他");
    typeInto(Control::txtD, "1");
    typeInto(Control::txt2X, "1");
    click(Control::cmdCalculation);
    click(Control::txtD);
    QCOMPARE(tabRound(), QStringList({"txt2X", "combWL", "txtResult", "txtWaveLengh",
                                      "cmdCalculation", "cmdReCalculation", "cmdEnd", "txtD"}));
  }

  void enterAndEscapePressNoButton() {
    MessageBoxes boxes;  // cmdCalculation on empty boxes would show one
    for (Control c : {Control::txtD, Control::cmdCalculation, Control::cmdEnd}) {
      w(c)->setFocus();
      for (Qt::Key k : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) key(k);
    }
    QVERIFY(boxes.seen.isEmpty());
    QVERIFY(form->window().isVisible());
    w(Control::cmdCalculation)->setFocus();
    key(Qt::Key_Space);  // the way to press the focused button
    QCOMPARE(boxes.seen.size(), 1);
  }

  void boxesTakeNoMoreTypedCharactersThanTheirMaximum() {
    type("123456789");
    QCOMPARE(text(Control::txtD), "12345678");
    typeInto(Control::txt2X, "987654321");
    QCOMPARE(text(Control::txt2X), "98765432");
    chooseWithMouse("其他");
    type("0.1234567");
    QCOMPARE(text(Control::txtWaveLengh), "0.123456");
    click(Control::cmdCalculation);
    typeInto(Control::txtResult, "12345678901234567");
    QCOMPARE(text(Control::txtResult), "1234567890123456");
  }

  void resultLongerThanTheBoxIsShownWhole() {
    type("100");
    typeInto(Control::txt2X, "30");
    click(Control::cmdCalculation);
    const QString result = expected("100", "30", "0.154056");
    QVERIFY(result.size() > 16);
    QCOMPARE(text(Control::txtResult), result);
    saveScreenshot("frmXRD-long-result.png");
    click(Control::txtResult);
    key(Qt::Key_End);
    type("9");  // the box is full
    QCOMPARE(text(Control::txtResult), result);
    key(Qt::Key_Backspace);
    type("9");
    QCOMPARE(text(Control::txtResult), result.chopped(1));
  }

  void cmdEndEndsTheProgram() {
    QVERIFY(runsToTheEnd([this] { click(Control::cmdEnd); }));
    QVERIFY(!form->window().isVisible());
  }

  void closingTheWindowEndsTheProgram() {
    QVERIFY(runsToTheEnd([this] { form->window().close(); }));
  }
};

QTEST_MAIN(FrmXrdTest)
#include "frmxrd_test.moc"
