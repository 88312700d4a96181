// The Qt window offscreen: the shared scenarios, and the facts that only a
// Qt window has (object names, stacking, fonts, its frame).
#include <gtest/gtest.h>

#include <cstdio>

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <array>

#include "tests/qt/qt_driver.h"
#include "tests/window/contrast.h"
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

// True to size (12 points are 16 pixels at 96 dpi), every caption's ink
// stays within the extent the table gives it and clear of its box; a
// full-width colon's blank half may run on.
TEST_F(QtWindow, CaptionsFitBesideTheirBoxesInAChineseFont) {
  auto inkRight = [&](Control c) {
    const auto* label = qobject_cast<QLabel*>(w(c));
    return label->x() + QFontMetrics(label->font()).tightBoundingRect(label->text()).right();
  };
  auto left = [&](Control c) { return w(c)->x(); };
  EXPECT_LT(inkRight(Control::Label1), left(Control::txtD));
  EXPECT_LT(inkRight(Control::Label2), left(Control::txt2X));
  EXPECT_LT(inkRight(Control::Label5), left(Control::combWL));
  for (const auto& s : ui::kControls) {
    auto* label = qobject_cast<QLabel*>(w(s.id));
    if (label == nullptr) continue;
    EXPECT_EQ(label->font().pixelSize(), s.font.points == 12 ? 16 : 18) << ui::nameOf(s.id);
    EXPECT_LE(inkRight(s.id), label->x() + ui::twipsToPixels(s.rect.width)) << ui::nameOf(s.id);
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

// Desktops users have: the one the test runs on (offscreen, Qt's own light
// palette), GNOME's dark one as the GTK platform theme passes it on, qt6ct's
// "darker", a dark palette that keeps light tooltips, and high contrast.
struct Desktop {
  const char* name;
  // Window, WindowText, Base, Text, Button, ButtonText, Highlight, Mid,
  // ToolTipBase, disabled Base, disabled Text; none for this desktop's.
  std::array<QRgb, 11> rgb;
};

QPalette paletteOf(const Desktop& d, const QPalette& desktop) {
  QPalette p = desktop;
  if (d.rgb == std::array<QRgb, 11>{}) return p;
  const QPalette::ColorRole roles[] = {
      QPalette::Window,    QPalette::WindowText, QPalette::Base,
      QPalette::Text,      QPalette::Button,     QPalette::ButtonText,
      QPalette::Highlight, QPalette::Mid,        QPalette::ToolTipBase};
  for (std::size_t i = 0; i < std::size(roles); ++i) p.setColor(roles[i], QColor(d.rgb[i]));
  p.setColor(QPalette::Disabled, QPalette::Base, QColor(d.rgb[9]));
  for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, QColor(d.rgb[10]));
  return p;
}

const Desktop kDesktops[] = {
    {"this desktop", {}},
    {"GNOME dark",
     {0x353535, 0xEEEEEC, 0x2D2D2D, 0xEEEEEC, 0x353535, 0xEEEEEC, 0x15539E, 0x2A2A2A, 0x000000,
      0x323232, 0x919190}},
    {"qt6ct darker",
     {0x424245, 0xFFFFFF, 0x2C2C2C, 0xFFFFFF, 0x424245, 0xFFFFFF, 0x12608A, 0x464646, 0x3F3F36,
      0x2C2C2C, 0x808080}},
    {"dark, light tooltips",
     {0x353535, 0xFFFFFF, 0x191919, 0xFFFFFF, 0x353535, 0xFFFFFF, 0x2A82DA, 0x242424, 0xFFFFDC,
      0x353535, 0x7F7F7F}},
    {"high contrast",
     {0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x1AEBFF, 0x808080, 0x000000,
      0x000000, 0x3FF23F}},
};

window::Picture pictureOf(QWidget& w) {
  const QImage image = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
  window::Picture p{image.width(), image.height(), {}};
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      p.pixels.push_back({static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
                          static_cast<std::uint8_t>(qBlue(c))});
    }
  return p;
}

// Measured on the drawn window: the text's pixels against its ground's.
TEST(QtColours, EveryTextReadsOnEveryDesktop) {
  const QPalette before = QApplication::palette();
  for (const Desktop& d : kDesktops) {
    SCOPED_TRACE(d.name);
    QApplication::setPalette(paletteOf(d, before));
    window::QtDriver driver;
    driver.start();
    driver.perform(window::typing(Control::txtD, U"0.25"));
    driver.perform(window::typing(Control::txt2X, U"31.8"));
    driver.perform(window::clicking(Control::cmdCalculation));
    driver.screenshot(std::string("colours-") + d.name + ".png");
    const window::Picture picture = pictureOf(driver.form().window());
    double lowest = 21;
    for (const auto& s : ui::kControls) {
      const QRect g = driver.form().widget(s.id)->geometry();
      const int frame = s.kind == ui::Kind::Label ? 0 : 3;
      const double contrast = window::textContrast(
          picture, window::inside({g.x(), g.y(), g.width(), g.height()}, frame));
      EXPECT_GE(contrast, ui::kLeastContrast) << ui::nameOf(s.id);
      lowest = std::min(lowest, contrast);
    }
    std::printf("    %s: lowest text contrast %.2f\n", d.name, lowest);
  }
  QApplication::setPalette(before);
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
