// The Qt window offscreen: the shared scenarios, and the facts that only a
// Qt window has (object names, stacking, fonts, its frame).
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>

#include "tests/qt/qt_driver.h"
#include "tests/window/scenarios.h"
#include "ui/layout.h"
#include "ui/pixels.h"

namespace {

using ui::Control;

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), s.size()); }

class QtWindow : public testing::Test {
 protected:
  QtWindow() { driver.start(); }
  QWidget* w(Control c) { return driver.form().widget(c); }
  window::QtDriver driver;
};

TEST_F(QtWindow, IsFixedAtItsSizeWithoutMaximiseOrMinimise) {
  QWidget& win = driver.form().window();
  EXPECT_EQ(win.windowTitle(), "Sorbel");
  EXPECT_EQ(win.size(), QSize(353, 289));
  EXPECT_EQ(win.minimumSize(), win.maximumSize());
  EXPECT_FALSE(win.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
  auto* combo = qobject_cast<QComboBox*>(w(Control::combWL));
  EXPECT_TRUE(combo->isEditable());
  EXPECT_EQ(combo->completer(), nullptr);  // its inline completion would choose entries
}

TEST_F(QtWindow, EveryPartCarriesItsNameAndEveryBoxItsLabel) {
  for (int i = 0; i < ui::kControlCount; ++i) {
    const auto c = static_cast<Control>(i);
    EXPECT_EQ(w(c)->objectName(), qs(ui::nameOf(c)));
  }
  for (Control c :
       {Control::txtD, Control::txt2X, Control::combWL, Control::txtResult, Control::txtWaveLengh})
    EXPECT_EQ(w(c)->accessibleName(), qs(ui::spec(ui::labelFor(c)).text)) << ui::nameOf(c);
}

TEST_F(QtWindow, PartsAreStackedTopToBottomAsListed) {
  QStringList bottomToTop, listed;
  for (QObject* o : driver.form().window().children())
    if (o->isWidgetType() && !o->objectName().isEmpty()) bottomToTop.prepend(o->objectName());
  for (Control c : ui::kStacking) listed << qs(ui::nameOf(c));
  EXPECT_EQ(bottomToTop, listed);
}

TEST_F(QtWindow, CaptionsFitBesideTheirBoxesInAChineseFont) {
  auto right = [&](Control c) { return w(c)->geometry().right(); };
  auto left = [&](Control c) { return w(c)->x(); };
  EXPECT_LT(right(Control::Label1), left(Control::txtD));
  EXPECT_LT(right(Control::Label2), left(Control::txt2X));
  EXPECT_LT(right(Control::Label5), left(Control::combWL) + 4);  // 3 px lie under it in the table
  for (const auto& s : ui::kControls) {
    auto* label = qobject_cast<QLabel*>(w(s.id));
    if (label == nullptr) continue;
    EXPECT_LE(label->width(), ui::twipsToPixels(s.rect.width) + 2) << ui::nameOf(s.id);
    EXPECT_TRUE(QFontMetrics(label->font()).inFontUcs4(U'计'));  // has the Chinese glyphs
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
  }
  for (Control c : {Control::Label1, Control::cmdCalculation, Control::txtD})
    EXPECT_TRUE(QFontInfo(w(c)->font()).family().contains("CJK")) << ui::nameOf(c);
}

TEST_F(QtWindow, BoxesShowTheirFontsOnceTheyHaveText) {
  driver.perform(window::typing(Control::txtD, U"0.25"));
  driver.perform(window::typing(Control::txt2X, U"31.8"));
  driver.perform(window::clicking(Control::cmdCalculation));
  for (Control c : {Control::txtD, Control::txtResult, Control::txtWaveLengh})
    EXPECT_EQ(w(c)->font(), ui::qt::standInFont(ui::spec(c).font)) << ui::nameOf(c);
  EXPECT_TRUE(QFontInfo(w(Control::txtResult)->font()).bold());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorbel"));
  testing::InitGoogleTest(&argc, argv);
  window::QtDriver driver;
  window::registerScenarios("QtScenario", [&driver]() -> window::Driver& { return driver; });
  return RUN_ALL_TESTS();
}
