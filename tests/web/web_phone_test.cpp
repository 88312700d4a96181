// The page as a phone meets it (Chromium's mobile emulation: 360 CSS pixels
// wide, touch), in a language that writes decimals with a comma, on paper,
// where it cannot run, and in Chromium's console (WebKit's: webkit_console.sh).
//   web_phone_tests <sorbel.html> [GoogleTest flags]
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "tests/web/browser.h"
#include "tests/web/web_driver.h"
#include "ui/texts.h"

namespace {

using web::Json;

std::string g_url;

// Waits for the page to be ready for input: true, or false after 20 s.
constexpr const char* kReady = R"js(
return new Promise(resolve => {
  const started = Date.now();
  const check = () => document.documentElement.dataset.ready === "1" ? resolve(true)
      : Date.now() - started > 20000 ? resolve(false) : setTimeout(check, 5);
  check();
});)js";

// Every target a finger may touch, with its size; and the window's right edge.
constexpr const char* kTargets = R"js(
const targets = [...document.querySelectorAll(
    "#frmXRD input:not(:disabled), #frmXRD button, [role=option], dialog[open] button")];
return {right: document.getElementById("frmXRD").getBoundingClientRect().right,
        targets: targets.filter(t => t.getClientRects().length).map(t => {
          const r = t.getBoundingClientRect();
          return [t.id || t.textContent, r.width, r.height];
        })};)js";

// The page in a browser of its own; `setUp` runs on it before it loads.
struct Page {
  explicit Page(web::BrowserOptions options, const std::function<void(web::Session&)>& setUp = {})
      : browser(web::Browser::Chromium, options) {
    browser.preparePage();
    if (setUp) setUp(session());
    session().navigate(g_url);
  }
  web::Session& session() { return browser.session(); }
  Json run(const std::string& script) { return session().execute(script); }
  std::string value(const std::string& id) {
    return run("return document.getElementById('" + id + "').value").get<std::string>();
  }
  void tap(const std::string& css) {
    session().perform(web::tapAt(web::elementRef(session().findElement(css))));
  }
  void type(const std::string& text) {
    std::vector<Json> keys;
    for (char c : text)
      for (auto key : {web::keyDown, web::keyUp}) keys.push_back(key(std::string(1, c)));
    session().perform(web::keys(keys));
  }
  web::Launched browser;
};

// Every target the page shows takes a finger, and the window fits the screen.
void expectFingerSized(Page& p) {
  const Json all = p.run(kTargets);
  EXPECT_LE(all["right"].get<double>(), 360);
  for (const Json& t : all["targets"])
    EXPECT_TRUE(t[1].get<double>() >= 24 && t[2].get<double>() >= 24) << t.dump();
}

TEST(Phone, EveryTargetTakesAFingerAndATapAnywhereOpensTheList) {
  Page p({.phone = true});
  ASSERT_TRUE(p.run(kReady).get<bool>());
  p.tap("#combWL");  // the field: the list opens, and no keyboard with it
  EXPECT_EQ(p.run("return document.getElementById('combWL-list').hidden"), false);
  EXPECT_EQ(p.run("return document.activeElement.inputMode"), "none");
  EXPECT_EQ(p.run(kTargets)["targets"].size(), 13u);  // 3 boxes, the arrow, 3 buttons, 6 entries
  expectFingerSized(p);

  p.tap("#combWL-option-3");
  EXPECT_EQ(p.value("combWL"), "Fe");
  EXPECT_EQ(p.value("txtWaveLengh"), "0.193604");
  p.tap("#combWL-button");
  p.tap("#combWL-option-5");  // 其他: the wavelength box, with a decimal keypad
  EXPECT_EQ(p.run("const e = document.activeElement; return [e.id, e.value, e.inputMode]"),
            Json::array({"txtWaveLengh", "", "decimal"}));

  p.tap("#cmdCalculation");  // both boxes empty: a message box, whose button takes a finger too
  expectFingerSized(p);
  p.tap("dialog[open] button");
  EXPECT_EQ(p.run("return !!document.querySelector('dialog[open]')"), false);
}

// The keypad of a language that writes 0,25 has no "."; its "," is the
// point. The result is said to screen readers.
TEST(Phone, ACommaLanguageTypesItsDecimalPointAndHearsTheResult) {
  Page p({.phone = true, .language = "de-DE"});
  ASSERT_TRUE(p.run(kReady).get<bool>());
  EXPECT_EQ(p.run("return navigator.language"), "de-DE");
  p.tap("#txtD");
  p.type("0,25");
  p.tap("#txt2X");
  p.type("31,8");
  EXPECT_EQ(p.value("txtD") + " " + p.value("txt2X"), "0.25 31.8");
  p.tap("#cmdCalculation");
  EXPECT_EQ(p.run("return !!document.querySelector('dialog[open]')"), false);
  EXPECT_EQ(p.value("txtResult"), "32.6732991533328");
  EXPECT_EQ(p.run("return document.querySelector('[role=status]').textContent"),
            "计算结果（粒径/nm）为：32.6732991533328");
}

// Waits for the page to say what it is missing: true, or false after 20 s.
constexpr const char* kMissingShown = R"js(
return new Promise(resolve => {
  const started = Date.now(), m = document.getElementById("missing");
  const check = () => !m.hidden ? resolve(true)
      : Date.now() - started > 20000 ? resolve(false) : setTimeout(check, 5);
  check();
});)js";

// Without WebAssembly, or with a program whose bytes cannot be unpacked, the
// window is drawn, takes no typing, the page says what is missing, and no
// uncaught error is left in the console; without JavaScript it says so too.
TEST(Page, WhereItCannotRunItSaysSo) {
  const std::string needs(ui::texts::kNeedsBrowser);
  for (const std::string setUp :
       {"delete window.WebAssembly",
        // A decompressor of another format: the program comes out damaged.
        "const D = DecompressionStream;"
        "window.DecompressionStream = class extends D { constructor() { super('deflate'); } };"}) {
    SCOPED_TRACE(setUp);
    Page p({}, [&setUp](web::Session& s) {
      s.cdp("Page.addScriptToEvaluateOnNewDocument", {{"source", setUp}});
    });
    ASSERT_TRUE(p.run(kMissingShown).get<bool>());
    EXPECT_NE(p.run("return document.documentElement.dataset.ready"), "1");
    EXPECT_EQ(p.run("const m = document.getElementById('missing');"
                    "return m.getClientRects().length ? m.textContent : ''"),
              needs);
    EXPECT_EQ(p.run("return document.getElementById('Label1').getClientRects().length"), 1);
    p.session().click(p.session().findElement("#txtD"));
    p.type("12");
    EXPECT_EQ(p.value("txtD"), "");
    p.run("console.log('sorbel-probe')");  // the log is read once this has reached it
    std::vector<std::string> said;
    for (int i = 0; i < 50 && said.empty(); ++i) said = p.browser.consoleMessages();
    EXPECT_EQ(said.size(), 1u) << testing::PrintToString(said);
  }

  Page noScript({}, [](web::Session& s) {
    s.cdp("Emulation.setScriptExecutionDisabled", {{"value", true}});
  });
  // Its markup only where scripts cannot run, and the window beside it.
  EXPECT_NO_THROW(noScript.session().findElement("noscript > p.missing"));
  EXPECT_NO_THROW(noScript.session().findElement("#frmXRD #Label1"));
}

// Read top to bottom; no caption runs under the control beside it; dark
// text on white on paper, whatever the screen's scheme.
TEST(Page, ReadsInOrderKeepsCaptionsClearAndPrintsDarkOnWhite) {
  Page p({.dark = true});
  ASSERT_TRUE(p.run(kReady).get<bool>());
  p.session().cdp(
      "Emulation.setEmulatedMedia",
      {{"media", "print"},
       {"features", Json::array({{{"name", "prefers-color-scheme"}, {"value", "dark"}}})}});
  const Json colours = p.run(R"js(
    const colour = (e, p) => getComputedStyle(e)[p];
    return [...new Set([...document.querySelectorAll(".label, .box, .button")]
        .map(e => colour(e, "color")).concat(colour(document.getElementById("frmXRD"), "backgroundColor"),
                                             colour(document.getElementById("txtD"), "backgroundColor")))];)js");
  EXPECT_EQ(colours, Json::array({"rgb(0, 0, 0)", "rgb(255, 255, 255)"}));
  const Json tops = p.run(R"js(
    return [...document.querySelectorAll("#frmXRD > :not([aria-hidden])")]
        .map(e => [e.offsetTop, e.offsetLeft]);)js");
  EXPECT_TRUE(std::is_sorted(tops.begin(), tops.end())) << tops.dump();
  const Json under = p.run(R"js(
    const all = s => [...document.querySelectorAll(s)].map(e => [e.id, e.getBoundingClientRect()]);
    return all(".label").flatMap(([label, l]) => all("#frmXRD > :is(input, button, .combo)")
        .filter(([, c]) => c.left > l.left && c.top < l.bottom && l.top < c.bottom && l.right > c.left)
        .map(([control]) => label + " under " + control));)js");
  EXPECT_EQ(under, Json::array());
}

// A normal load says nothing in the console: what the test says there next
// is the first thing it holds.
TEST(Page, LoadsWithAQuietConsole) {
  Page p({});
  ASSERT_TRUE(p.run(kReady).get<bool>());
  p.run("console.log('sorbel-probe')");
  std::vector<std::string> said;
  for (int i = 0; i < 50 && said.empty(); ++i) said = p.browser.consoleMessages();
  ASSERT_EQ(said.size(), 1u) << testing::PrintToString(said);
  EXPECT_NE(said[0].find("sorbel-probe"), std::string::npos) << said[0];
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: web_phone_tests <sorbel.html>\n");
    return 2;
  }
  if (!window::browserToTest("chromium", argv[1])) return 0;
  g_url = "file://" + std::filesystem::absolute(argv[1]).string();
  return RUN_ALL_TESTS();
}
