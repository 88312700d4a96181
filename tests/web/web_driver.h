#pragma once
#include <map>
#include <memory>
#include <string>

#include "tests/web/browser.h"
#include "tests/window/toolkit_driver.h"
#include "ui/pixels.h"

namespace window {

// The window as a page, sorbel.html, in a real browser over WebDriver:
// W3C key and pointer actions as a user's input, input-method commits
// through DevTools (Chromium) or as the events a commit raises (WebKit).
// Message boxes are closed as they open, by Enter, Space, Escape or a click
// on their button, as `seed` picks. The browser starts with the first
// start() and lives as long as the driver.
class BrowserDriver final : public ToolkitDriver {
 public:
  BrowserDriver(web::Browser browser, std::string pageFile, std::string screenshots,
                std::uint64_t seed = 1, web::BrowserOptions options = {});
  ~BrowserDriver() override;

  void start() override;
  void perform(const Action& a) override;
  bool performEnding(const Action& a) override;
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
  void keys(std::initializer_list<std::string> held, const std::string& key);
  void click(const std::string& id, int dx = 0, int dy = 0);
  bool closePage();
  bool pageGone();

  Snapshot look() override;
  std::optional<Control> focus() override;
  void click(Control c) override;
  void typeChar(char32_t ch) override;
  void commit(const std::u32string& text) override;
  void toClipboard(const std::u32string& text) override;
  void pasteKey() override;
  void paste(Control box, const std::u32string& text) override;
  void press(Key k) override;
  void chooseByMouse(int anode) override;
  void closeWindow() override { (void)closePage(); }
  void openList() override;
  bool listOpen() override;
  int highlighted() override;
  std::optional<MessageBox> openBox() override;
  bool closeBox(int how) override;
  bool forceClose() override;

  web::Browser kind_;
  web::BrowserOptions options_;
  std::string url_, screenshots_;
  std::unique_ptr<web::Launched> browser_;
  std::string spare_, page_;  // window handles: a blank one kept open, the page's
  std::map<std::string, Part> parts_;
  int boxClickSide_ = 1;
  web::Json box_;  // the message box that is up, as openBox() saw it
};

// The browser called `name`, where it and the page are here to test; else
// says why not as a skip (ctest's "SKIPPED: ") and gives nothing.
std::optional<web::Browser> browserToTest(const std::string& name, const std::string& page);

}  // namespace window
