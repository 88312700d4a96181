#include "tests/web/web_driver.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <utility>

#include "tests/web/scripts.h"
#include "ui/layout.h"

namespace window {
namespace {

using web::Json;

// W3C WebDriver's codes of the keys that type no character.
constexpr const char* kShift = "\uE008";
constexpr const char* kControl = "\uE009";
constexpr const char* kAlt = "\uE00A";
constexpr const char* kReturn = "\uE006";
constexpr const char* kEnter = "\uE007";
constexpr const char* kEscape = "\uE00C";
constexpr const char* kSpace = "\uE00D";
constexpr const char* kUp = "\uE013";
constexpr const char* kDown = "\uE015";

// Each window::Key as the key pressed and the modifier held, in its order.
constexpr std::pair<const char*, const char*> kKeys[] = {
    {"\uE003", nullptr}, {"\uE017", nullptr}, {kEnter, nullptr},   {kEscape, nullptr},
    {"\uE004", nullptr}, {"\uE004", kShift},  {kSpace, nullptr},   {"\uE012", nullptr},
    {"\uE014", nullptr}, {"\uE011", nullptr}, {"\uE010", nullptr}, {kUp, nullptr},
    {kDown, nullptr},    {"a", kControl},     {"z", kControl},     {"y", kControl},
    {"x", kControl},     {"c", kControl},
};
static_assert(std::size(kKeys) == static_cast<std::size_t>(Key::Copy) + 1);

std::string option(int n) { return "combWL-option-" + std::to_string(n); }

Json controlNames() {
  Json names = Json::array();
  for (int i = 0; i < ui::kControlCount; ++i) names.push_back(ui::nameOf(static_cast<Control>(i)));
  return names;
}

// Every part the driver touches or measures.
Json partNames() {
  Json names = controlNames();
  for (std::size_t i = 0; i < ui::kAnodeCount; ++i) names.push_back(option(static_cast<int>(i)));
  for (const char* name : {"frmXRD", "combWL-button"}) names.push_back(name);
  return names;
}

bool windowGone(const web::Error& e) {
  return e.code == "no such window" || e.code == "no such frame";
}

}  // namespace

std::optional<web::Browser> browserToTest(const std::string& name, const std::string& page) {
  const std::optional<web::Browser> b = web::browserNamed(name);
  if (!b) throw std::invalid_argument("no browser called " + name + ": chromium or webkit");
  std::optional<std::string> why = web::missing(*b);
  if (!std::filesystem::exists(page))
    why = page + " is not built (cmake --preset web && cmake --build --preset web)";
  if (!why) return b;
  std::printf("SKIPPED: %s: %s\n", name.c_str(), why->c_str());
  return std::nullopt;
}

BrowserDriver::BrowserDriver(web::Browser browser, std::string pageFile, std::string screenshots,
                             std::uint64_t seed, web::BrowserOptions options)
    : ToolkitDriver(seed),
      kind_(browser),
      options_(options),
      url_("file://" + std::filesystem::absolute(pageFile).string()),
      screenshots_(std::move(screenshots)) {}

BrowserDriver::~BrowserDriver() = default;

// The page afresh in a window of its own; a blank one stays open beside it,
// so that closing the page's window never ends the session.
void BrowserDriver::start() {
  if (!browser_) {
    browser_ = std::make_unique<web::Launched>(kind_, options_);
    spare_ = session().window();
  }
  web::Session& s = session();
  const std::vector<std::string> open = s.windows();
  if (page_.empty() || std::find(open.begin(), open.end(), page_) == open.end()) {
    page_ = s.newWindow();
    s.switchTo(page_);
    browser_->preparePage();
  }
  s.navigate(url_);
  const Json parts = s.execute(scripts::kReady, Json::array({partNames()}));
  if (parts.is_null()) throw std::runtime_error(url_ + " did not get ready in 2 minutes");
  parts_.clear();
  for (const auto& [name, p] : parts.items()) {
    const Json& r = p["rect"];
    auto px = [&r](int i) { return static_cast<int>(std::lround(r[i].get<double>())); };
    parts_[name] = {p["element"], {px(0), px(1), px(2), px(3)}};
  }
  forgetBoxes();
}

bool BrowserDriver::pageGone() {
  if (page_.empty()) return true;
  const std::vector<std::string> open = session().windows();
  if (std::find(open.begin(), open.end(), page_) != open.end()) return false;
  page_.clear();
  session().switchTo(spare_);
  return true;
}

Snapshot BrowserDriver::look() {
  if (pageGone()) return {.alive = false, .ended = true};
  Snapshot s;
  const Json w = session().execute(scripts::kSnapshot, Json::array({controlNames()}));
  s.alive = w["alive"].get<bool>();
  s.ended = w["ended"].get<bool>();
  s.leftOpen = w["leftOpen"].get<bool>();
  s.listIndex = w["listIndex"].get<int>();
  s.focus = ui::controlNamed(w["focus"].get<std::string>());
  for (std::size_t i = 0; i < w["text"].size(); ++i) {
    s.text[i] = w["text"][i].get<std::string>();
    s.enabled[i] = w["enabled"][i].get<bool>();
  }
  return s;
}

std::vector<std::string> BrowserDriver::listEntries() {
  return session().execute(scripts::kListEntries).get<std::vector<std::string>>();
}

std::string BrowserDriver::picture() {
  // WebKit takes the picture at the page's next repaint, which a page that
  // shows no blinking caret may never make by itself.
  const Json painter =
      kind_ == web::Browser::WebKit ? session().execute(scripts::kRepaint) : Json();
  const std::string png = session().elementScreenshot(web::elementId(parts_.at("frmXRD").element));
  if (!painter.is_null()) session().execute(scripts::kRepaintDone, Json::array({painter}));
  return web::decodeBase64(png);
}

ui::PixelRect BrowserDriver::rectOf(Control c) const {
  return parts_.at(std::string(ui::nameOf(c))).rect;
}

void BrowserDriver::screenshot(const std::string& name) {
  if (pageGone()) return;
  std::filesystem::create_directories(screenshots_);
  std::ofstream(screenshots_ + "/web-" + web::nameOf(kind_) + "-" + name, std::ios::binary)
      << picture();
}

void BrowserDriver::perform(const Action& a) {
  try {
    ToolkitDriver::perform(a);
  } catch (const web::Error& e) {
    if (!windowGone(e)) throw;
    pageGone();  // the snapshot tells
  }
}

bool BrowserDriver::performEnding(const Action& a) {
  if (a.kind == Action::Kind::Close) return closePage();
  perform(a);
  // Either the page closes its window or it says that the program has ended.
  if (pageGone()) return true;
  try {
    if (session().execute(scripts::kEnded).get<bool>()) return true;
  } catch (const web::Error& e) {
    if (!windowGone(e)) throw;
  }
  return pageGone();
}

// The browser's own close of the page's window.
bool BrowserDriver::closePage() {
  if (pageGone()) return false;
  const std::vector<std::string> left = session().closeWindow();
  const bool closed = std::find(left.begin(), left.end(), page_) == left.end();
  if (closed) page_.clear();
  session().switchTo(spare_);
  return closed;
}

// WebKit's clipboard turns U+00A0 into a space on its way to the page: such
// a text comes as the events its paste would raise.
void BrowserDriver::paste(Control box, const std::u32string& text) {
  if (kind_ != web::Browser::WebKit || text.find(U'\u00A0') == std::u32string::npos)
    return ToolkitDriver::paste(box, text);
  focusBox(box);
  session().execute(scripts::kInsert, Json::array({utf8(text), "paste"}));
}

void BrowserDriver::pasteKey() { keys({kControl}, "v"); }

std::optional<Control> BrowserDriver::focus() {
  return ui::controlNamed(session().execute(scripts::kFocus).get<std::string>());
}

void BrowserDriver::keys(std::initializer_list<std::string> held, const std::string& key) {
  std::vector<Json> actions;
  for (const std::string& h : held) actions.push_back(web::keyDown(h));
  actions.push_back(web::keyDown(key));
  actions.push_back(web::keyUp(key));
  for (auto h = std::rbegin(held); h != std::rend(held); ++h) actions.push_back(web::keyUp(*h));
  session().perform(web::keys(actions));
}

void BrowserDriver::click(const std::string& id, int dx, int dy) {
  session().perform(web::clickAt(parts_.at(id).element, dx, dy));
}

// A button in its middle; a box at its right end, which puts the caret
// after its text.
void BrowserDriver::click(Control c) {
  const std::string id(ui::nameOf(c));
  if (ui::spec(c).kind == ui::Kind::Button) return click(id);
  // WebKit takes two clicks within GTK's double-click time and distance
  // (400 ms, 5 pixels) for a double click, which selects a word: each click
  // into a box lands 10 pixels above or below the last one.
  boxClickSide_ = -boxClickSide_;
  click(id, parts_.at(id).rect.width / 2 - 3, 5 * boxClickSide_);
}

void BrowserDriver::press(Key k) {
  if (k == Key::Enter) return keys({}, random_.chance(50) ? kReturn : kEnter);
  const auto& [key, held] = kKeys[static_cast<std::size_t>(k)];
  if (held) return keys({held}, key);
  keys({}, key);
}

void BrowserDriver::commit(const std::u32string& text) {
  const std::string t = utf8(text);
  if (kind_ == web::Browser::Chromium) {
    const auto end = static_cast<int>(utf16Length(text));
    session().cdp("Input.imeSetComposition",
                  {{"text", t}, {"selectionStart", end}, {"selectionEnd", end}});
    session().cdp("Input.insertText", {{"text", t}});
    return;
  }
  // WebKitWebDriver has no way to an input method: the events it would raise.
  session().execute(scripts::kInsert, Json::array({t, "commit"}));
}

// WebDriver takes U+E000 to U+E05D for keys that type nothing, Enter, Shift
// and so on: a key that types one of them, as a keyboard layout may have,
// comes through DevTools, or in WebKit as the events it would raise.
void BrowserDriver::typeChar(char32_t ch) {
  const std::string text = utf8(std::u32string(1, ch));
  if (ch < 0xE000 || ch > 0xE05D) return keys({}, text);
  if (kind_ == web::Browser::WebKit) {
    session().execute(scripts::kInsert, Json::array({text, "type"}));
    return;
  }
  for (const char* type : {"keyDown", "keyUp"})
    session().cdp("Input.dispatchKeyEvent", {{"type", type}, {"text", text}, {"key", text}});
}

void BrowserDriver::toClipboard(const std::u32string& text) {
  const Json spot = session().execute(scripts::kClipboardSpot, Json::array({utf8(text)}));
  session().perform(web::clickAt(spot));
  const std::string failed = session().execute(scripts::kClipboardWritten, Json::array({spot}));
  if (!failed.empty()) throw std::runtime_error("the clipboard took no text: " + failed);
}

bool BrowserDriver::listOpen() { return session().execute(scripts::kListOpen).get<bool>(); }

void BrowserDriver::chooseByMouse(int anode) {
  click("combWL-button");
  if (!listOpen()) return;  // the snapshot shows what came of it
  click(option(anode));
}

void BrowserDriver::openList() { keys({kAlt}, kDown); }

int BrowserDriver::highlighted() { return session().execute(scripts::kHighlighted).get<int>(); }

std::optional<MessageBox> BrowserDriver::openBox() {
  box_ = session().execute(scripts::kMessageBox);
  if (!box_["open"].get<bool>()) return std::nullopt;
  return MessageBox{box_["prompt"].get<std::string>(), box_["title"].get<std::string>(),
                    box_["critical"].get<bool>(), box_["okOnly"].get<bool>()};
}

// Enter, Space, Escape or a click on its button; gone once a box has closed.
bool BrowserDriver::closeBox(int how) {
  if (how == 3 && !box_["button"].is_null())
    session().perform(web::clickAt(box_["button"]));
  else
    keys({}, how == 0 ? kReturn : how == 1 ? kSpace : kEscape);
  return session().execute(scripts::kBoxClosed, Json::array({box_["closes"]})).get<bool>();
}

bool BrowserDriver::forceClose() {
  session().execute(scripts::kCloseBox);
  return true;
}

}  // namespace window
