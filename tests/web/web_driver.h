#pragma once
#include <map>
#include <memory>
#include <string>

#include "tests/monkey/random.h"
#include "tests/web/browser.h"
#include "tests/window/driver.h"
#include "ui/pixels.h"

namespace window {

// The window as a page, sorbel.html, in a real browser over WebDriver:
// W3C key and pointer actions as a user's input, input-method commits
// through DevTools (Chromium) or as the events a commit raises (WebKit).
// Message boxes are closed as they open, by Enter, Space, Escape or a click
// on their button, as `seed` picks. The browser starts with the first
// start() and lives as long as the driver.
class BrowserDriver final : public Driver {
 public:
  BrowserDriver(web::Browser browser, std::string pageFile, std::string screenshots,
                std::uint64_t seed = 1, web::BrowserOptions options = {});
  ~BrowserDriver() override;

  void start() override;
  void perform(const Action& a) override;
  bool performEnding(const Action& a) override;
  Snapshot snapshot() override;
  std::vector<std::string> listEntries() override;
  void screenshot(const std::string& name) override;

  // The window (#frmXRD) as drawn, a PNG; a control's place in it.
  std::string picture();
  ui::PixelRect rectOf(Control c) const;
  web::Session& session() { return browser_->session(); }

 private:
  struct Part {
    web::Json element;
    ui::PixelRect rect;  // in the window
  };
  void act(const Action& a);
  std::string focus();
  void keys(std::initializer_list<std::string> held, const std::string& key);
  void click(const std::string& id, int dx = 0, int dy = 0);
  void clickInto(Control c);
  void press(Key k);
  void typeChar(char32_t ch);
  void commit(const std::u32string& text);
  void copyToClipboard(const std::u32string& text);
  void chooseByMouse(int anode);
  void chooseByKeyboard(int anode);
  bool listOpen();
  void dismissBoxes();
  bool closeWindow();
  bool pageGone();

  web::Browser kind_;
  web::BrowserOptions options_;
  std::string url_, screenshots_;
  std::unique_ptr<web::Launched> browser_;
  std::string spare_, page_;  // window handles: a blank one kept open, the page's
  std::map<std::string, Part> parts_;
  int boxClickSide_ = 1;
  std::vector<MessageBox> seen_;
  monkey::Random random_;
};

// The browser called `name`, where it and the page are here to test; else
// says why not as a skip (ctest's "SKIPPED: ") and gives nothing.
std::optional<web::Browser> browserToTest(const std::string& name, const std::string& page);

}  // namespace window
