// The Qt window offscreen: the shared scenarios, and the facts that only a
// Qt window has (object names, stacking, fonts, its frame).
#include <gtest/gtest.h>

#include <cstdio>

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleFactory>
#include <array>
#include <utility>
#include <vector>

#include "tests/qt/qt_driver.h"
#include "tests/window/colours.h"
#include "tests/window/desktops.h"
#include "tests/window/picture.h"
#include "tests/window/scenarios.h"
#include "ui/layout.h"
#include "ui/pixels.h"
#include "ui/qt/colours.h"

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

// Every part carries its name (the table's, as its objectName), in the
// table's stacking order; every box its label's caption.
TEST_F(QtWindow, PartsAreNamedAndStackedTopToBottomAsListed) {
  QStringList bottomToTop, listed;
  for (QObject* o : driver.form().window().children())
    if (o->isWidgetType()) bottomToTop.prepend(o->objectName());
  for (Control c : ui::kStacking) listed << qs(ui::nameOf(c));
  EXPECT_EQ(bottomToTop, listed);
  for (Control c : window::kBoxes)
    EXPECT_EQ(w(c)->accessibleName(), qs(ui::accessibleName(c))) << ui::nameOf(c);
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

// The desktop's palette with the roles of `d` set; none of them for the
// desktop the test runs on (offscreen, Qt's own light palette).
QPalette paletteOf(const window::Desktop* d, const QPalette& desktop) {
  QPalette p = desktop;
  if (d == nullptr) return p;
  for (const ui::qt::PaletteRole& r : ui::qt::kPaletteRoles) {
    const ui::Rgb c = window::rgbOf(d->rgb[static_cast<std::size_t>(r.role)]);
    // An active colour stands for every group, as a desktop's palette has it.
    if (r.group == QPalette::Active) p.setColor(r.colour, QColor(c.r, c.g, c.b));
    p.setColor(r.group, r.colour, QColor(c.r, c.g, c.b));
  }
  return p;
}

// Measured on the drawn window: the text's pixels against its ground's;
// greyed text, in a disabled box, needs less.
TEST(QtColours, EveryTextReadsOnEveryDesktop) {
  const QPalette before = QApplication::palette();
  std::vector<const window::Desktop*> desktops{nullptr};
  for (const auto& d : window::kDesktops)
    if (d.on != window::Desktop::On::Windows) desktops.push_back(&d);
  const QString style = QApplication::style()->name();
  for (const window::Desktop* d : desktops) {
    const char* name = d ? d->name : "this desktop";
    SCOPED_TRACE(name);
    // Drawn by the desktop's own style where it is installed.
    const char* drawnBy = "";
    if (d && d->qtStyle) {
      QStyle* own = QStyleFactory::create(d->qtStyle);
      drawnBy = own ? " (its style)" : " (its style is not installed: Qt's own)";
      if (own) QApplication::setStyle(own);
    }
    QApplication::setPalette(paletteOf(d, before));
    window::QtDriver driver;
    driver.start();
    const window::Drawn drawn{
        [&driver] { return window::pictureOf(driver.form().window().grab().toImage()); },
        [&driver](Control c) {
          const QRect g = driver.form().widget(c)->geometry();
          const int frame = ui::spec(c).kind == ui::Kind::Label ? 0 : 3;
          return window::inside({g.x(), g.y(), g.width(), g.height()}, frame);
        }};
    window::expectEveryTextReadable(driver, drawn, name, drawnBy);
    if (QApplication::style()->name() != style) QApplication::setStyle(style);
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
