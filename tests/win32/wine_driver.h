#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "tests/win32/sorbel_app.h"
#include "tests/window/toolkit_driver.h"

namespace window {

// Sorbel.exe, a process of its own, driven from outside with posted input as
// a user's would arrive. Message boxes are closed as they open, by a click on
// OK, Enter or Escape, as `seed` picks.
class WineDriver final : public ToolkitDriver {
 public:
  WineDriver(std::wstring exe, std::wstring screenshots, std::uint64_t seed = 1);

  void start() override;
  bool performEnding(const Action& a) override;
  std::vector<std::string> listEntries() override;
  void screenshot(const std::string& name) override;

  driver::App& app() { return *app_; }

 private:
  Snapshot look() override;
  std::optional<Control> focus() override { return app_->focus(); }
  void click(Control c) override;
  void typeChar(char32_t ch) override;
  void commit(const std::u32string& text) override;
  void toClipboard(const std::u32string& text) override;
  void pasteKey() override { app_->key('V', driver::App::Ctrl); }
  void press(Key k) override;
  void chooseByMouse(int anode) override { app_->choose(anode); }
  void closeWindow() override { app_->closeBox(); }
  void openList() override { app_->key(VK_DOWN, driver::App::Alt); }
  bool listOpen() override { return app_->listDropped(); }
  int highlighted() override { return app_->listIndex(); }
  std::optional<MessageBox> openBox() override;
  bool closeBox(int how) override;

  std::wstring exe_, screenshots_;
  std::unique_ptr<driver::App> app_;
};

}  // namespace window
