// The page in one browser: the shared scenarios, and every text readable
// whether the desktop prefers light or dark.
//   web_window_tests chromium|webkit <sorbel.html> [GoogleTest flags]
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <cstdio>

#include "tests/web/web_driver.h"
#include "tests/window/colours.h"
#include "tests/window/picture.h"
#include "tests/window/scenarios.h"
#include "ui/layout.h"

namespace {

using ui::Control;

web::Browser g_browser;
std::string g_page;

// The page loads nothing else; a screen reader names each box after its
// label, and a message box after its title; a critical one's icon says what
// it is.
TEST(WebWindow, AsksForNothingAndNamesEveryBox) {
  window::BrowserDriver driver(g_browser, g_page, SORBEL_SCREENSHOT_DIR);
  driver.start();
  web::Session& s = driver.session();
  auto label = [&s](const std::string& css) { return s.computedLabel(s.findElement(css)); };
  for (Control c : window::kBoxes)
    EXPECT_EQ(label("#" + std::string(ui::nameOf(c))), ui::spec(ui::labelFor(c)).text)
        << ui::nameOf(c);
  // It loaded nothing: everything it needs is in the file.
  EXPECT_EQ(s.execute("return performance.getEntriesByType('resource').map(e => e.name)"),
            web::Json::array());
  s.click(s.findElement("#cmdCalculation"));  // both boxes empty: a critical box
  EXPECT_EQ(label("dialog[open]"), "Sorbel");
  EXPECT_EQ(label("dialog[open] [role=img]"), "错误");
  s.click(s.findElement("dialog[open] button"));
}

// Measured on the drawn page: the text's pixels against its ground's.
TEST(WebColours, EveryTextReadsInLightAndInDark) {
  for (bool dark : {false, true}) {
    const char* scheme = dark ? "dark" : "light";
    SCOPED_TRACE(scheme);
    window::BrowserDriver driver(g_browser, g_page, SORBEL_SCREENSHOT_DIR, 1, {.dark = dark});
    driver.start();
    ASSERT_EQ(driver.session().execute("return matchMedia('(prefers-color-scheme: dark)').matches"),
              dark);
    const window::Drawn drawn{
        [&driver] {
          return window::pictureOf(QImage::fromData(QByteArray::fromStdString(driver.picture())));
        },
        [&driver](Control c) {
          const int frame = ui::spec(c).kind == ui::Kind::Label ? 0 : 3;
          return window::inside(driver.rectOf(c), frame);
        }};
    window::expectEveryTextReadable(driver, drawn, scheme,
                                    std::string(", ") + web::nameOf(g_browser));
    // A focused box's ring stands out from the window's ground and its own.
    const web::Json ring = driver.session().execute(R"js(
      const box = document.getElementById("txtD"), s = getComputedStyle(box);
      box.focus();
      const rgb = c => c.match(/[\d.]+/g).slice(0, 3).map(Number);
      return [s.outlineStyle, parseFloat(s.outlineWidth), rgb(s.outlineColor), rgb(s.backgroundColor),
              rgb(getComputedStyle(document.getElementById("frmXRD")).backgroundColor)];)js");
    const auto rgb = [](const web::Json& c) { return ui::Rgb{c[0], c[1], c[2]}; };
    EXPECT_TRUE(ring[0] == "solid" && ring[1] >= 2) << ring.dump();
    for (int ground : {3, 4})
      EXPECT_GE(ui::contrastRatio(rgb(ring[2]), rgb(ring[ground])), 3) << ring.dump();
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: web_window_tests chromium|webkit <sorbel.html>\n");
    return 2;
  }
  const auto browser = window::browserToTest(argv[1], argv[2]);
  if (!browser) return 0;
  g_browser = *browser;
  g_page = argv[2];
  window::BrowserDriver driver(g_browser, g_page, SORBEL_SCREENSHOT_DIR);
  const std::string suite = g_browser == web::Browser::Chromium ? "Chromium" : "WebKit";
  window::registerScenarios(suite + "Scenario", [&driver]() -> window::Driver& { return driver; });
  return RUN_ALL_TESTS();
}
