#include "tests/win32/wine_driver.h"

#include <utility>

#include "tests/win32/screenshot.h"
#include "ui/layout.h"
#include "ui/win32/wide.h"

namespace window {
namespace {

using ui::win32::narrow;
using ui::win32::widen;

std::wstring utf16(std::u32string_view s) { return widen(utf8(s)); }

}  // namespace

WineDriver::WineDriver(std::wstring exe, std::wstring screenshots, std::uint64_t seed)
    : exe_(std::move(exe)), screenshots_(std::move(screenshots)), random_(seed ^ 0xD15A1ull) {
  CreateDirectoryW(screenshots_.c_str(), nullptr);
}

void WineDriver::start() {
  app_.reset();  // an earlier program is ended first
  app_ = std::make_unique<driver::App>(exe_);
}

Snapshot WineDriver::snapshot() {
  Snapshot s;
  s.boxes = std::exchange(seen_, {});
  driver::App& a = *app_;
  s.alive = a.started() && !a.waitExit(0) && IsWindow(a.main()) && IsWindowVisible(a.main());
  if (!s.alive) return s;
  // Each text is two round trips to the program: only the boxes' change.
  for (const ui::ControlSpec& c : ui::kControls) {
    const auto i = static_cast<std::size_t>(c.id);
    if (c.kind == ui::Kind::TextBox || c.kind == ui::Kind::ComboBox)
      s.text[i] = narrow(a.text(c.id));
    s.enabled[i] = a.enabled(c.id);
  }
  s.listIndex = a.listIndex();
  s.focus = a.focus();
  s.leftOpen = a.messageBox().has_value() || a.listDropped();
  return s;
}

std::vector<std::string> WineDriver::listEntries() {
  std::vector<std::string> entries;
  const auto n = app_->send(Control::combWL, CB_GETCOUNT);
  for (int i = 0; i < n; ++i) entries.push_back(narrow(app_->listItem(i)));
  return entries;
}

void WineDriver::screenshot(const std::string& name) {
  driver::screenshot(app_->main(), screenshots_ + L"\\" + widen(name));
}

void WineDriver::perform(const Action& a) {
  act(a);
  dismissBoxes();
}

bool WineDriver::performEnding(const Action& a) {
  act(a);
  DWORD code = 1;
  return app_->waitForExit(&code) && code == 0;
}

void WineDriver::act(const Action& a) {
  driver::App& app = *app_;
  switch (a.kind) {
    case Action::Kind::Type:
      focusBox(a.box);
      // One character at a time: a refused one brings up its box, which the
      // user closes before the next one comes.
      for (char32_t ch : a.text) {
        const std::wstring units = utf16(std::u32string_view(&ch, 1));
        if (a.inputMethod)
          for (wchar_t u : units) app.imeChar(u);
        else
          app.type(units);
        dismissBoxes();
      }
      return;
    case Action::Kind::Paste:
      driver::App::setClipboard(utf16(a.text));
      focusBox(a.box);
      return app.key('V', driver::App::Ctrl);
    case Action::Kind::Press:
      return press(a.key);
    case Action::Kind::Click:
      return click(a.box);
    case Action::Kind::Choose:
      return a.byMouse ? app.choose(a.anode) : chooseByKeyboard(a.anode);
    case Action::Kind::Close:
      return app.closeBox();
  }
}

void WineDriver::click(Control c) {
  if (ui::spec(c).kind == ui::Kind::Button)
    app_->press(c);
  else
    app_->clickInto(c);
}

void WineDriver::focusBox(Control c) {
  if (app_->focus() != c) app_->clickInto(c);
}

// Closes every message box that is up, by any of the usual means, and keeps
// what each one showed.
void WineDriver::dismissBoxes() {
  for (int n = 0; n < 10; ++n) {
    const auto box = app_->messageBox();
    if (!box) return;
    seen_.push_back({narrow(box->text), narrow(box->title), box->icon, box->okOnly});
    const int how = random_.below(4);
    const bool gone =
        how < 2 ? app_->dismiss() : app_->dismissWithKey(how == 2 ? VK_RETURN : VK_ESCAPE);
    if (!gone && !app_->dismiss()) {
      seen_.push_back({"(would not close) " + narrow(box->text), "", false});
      return;
    }
  }
}

// The virtual key and the modifiers held of each window::Key, in its order.
constexpr std::pair<UINT, unsigned> kKeys[] = {
    {VK_BACK, driver::App::None},   {VK_DELETE, driver::App::None}, {VK_RETURN, driver::App::None},
    {VK_ESCAPE, driver::App::None}, {VK_TAB, driver::App::None},    {VK_TAB, driver::App::Shift},
    {VK_SPACE, driver::App::None},  {VK_LEFT, driver::App::None},   {VK_RIGHT, driver::App::None},
    {VK_HOME, driver::App::None},   {VK_END, driver::App::None},    {VK_UP, driver::App::None},
    {VK_DOWN, driver::App::None},   {'A', driver::App::Ctrl},       {'Z', driver::App::Ctrl},
    {'Y', driver::App::Ctrl},       {'X', driver::App::Ctrl},       {'C', driver::App::Ctrl},
};
static_assert(std::size(kKeys) == static_cast<std::size_t>(Key::Copy) + 1);

void WineDriver::press(Key k) {
  const auto& [vk, held] = kKeys[static_cast<std::size_t>(k)];
  app_->key(vk, held);
}

// Alt+Down opens the list; the arrows move its highlight, which the user
// watches, to the entry; Enter takes it.
void WineDriver::chooseByKeyboard(int anode) {
  driver::App& a = *app_;
  focusBox(Control::combWL);
  a.key(VK_DOWN, driver::App::Alt);
  if (!a.listDropped()) return;
  for (int n = 0; n < 12; ++n) {
    const int at = a.listIndex();
    if (at == anode) break;
    a.key(at < anode ? VK_DOWN : VK_UP);
  }
  a.key(VK_RETURN);
}

}  // namespace window
