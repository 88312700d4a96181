#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "tests/monkey/random.h"
#include "tests/win32/sorbel_app.h"
#include "tests/window/driver.h"

namespace window {

// Sorbel.exe, a process of its own, driven from outside with posted input as
// a user's would arrive. Message boxes are closed as they open, by a click on
// OK, Enter or Escape, as `seed` picks.
class WineDriver final : public Driver {
 public:
  WineDriver(std::wstring exe, std::wstring screenshots, std::uint64_t seed = 1);

  void start() override;
  void perform(const Action& a) override;
  bool performEnding(const Action& a) override;
  Snapshot snapshot() override;
  std::vector<std::string> listEntries() override;
  void screenshot(const std::string& name) override;

  driver::App& app() { return *app_; }

 private:
  void act(const Action& a);
  void focusBox(Control c);
  void click(Control c);
  void press(Key k);
  void chooseByKeyboard(int anode);
  void dismissBoxes();

  std::wstring exe_, screenshots_;
  std::unique_ptr<driver::App> app_;
  std::vector<MessageBox> seen_;
  monkey::Random random_;
};

}  // namespace window
