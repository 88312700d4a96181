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
    : ToolkitDriver(seed), exe_(std::move(exe)), screenshots_(std::move(screenshots)) {
  CreateDirectoryW(screenshots_.c_str(), nullptr);
}

void WineDriver::start() {
  app_.reset();  // an earlier program is ended first
  app_ = std::make_unique<driver::App>(exe_);
}

Snapshot WineDriver::look() {
  Snapshot s;
  driver::App& a = *app_;
  s.alive = a.started() && !a.waitExit(0) && IsWindow(a.main()) && IsWindowVisible(a.main());
  if (!s.alive) return s;
  // Each text is two round trips to the program: only the boxes' change.
  for (Control c : kBoxes) s.text[static_cast<std::size_t>(c)] = narrow(a.text(c));
  for (const ui::ControlSpec& c : ui::kControls)
    s.enabled[static_cast<std::size_t>(c.id)] = a.enabled(c.id);
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

bool WineDriver::performEnding(const Action& a) {
  act(a);
  DWORD code = 1;
  return app_->waitForExit(&code) && code == 0;
}

void WineDriver::click(Control c) {
  if (ui::spec(c).kind == ui::Kind::Button)
    app_->press(c);
  else
    app_->clickInto(c);
}

void WineDriver::typeChar(char32_t ch) { app_->type(utf16(std::u32string_view(&ch, 1))); }

// One WM_IME_CHAR a character, as an input method delivers its result.
void WineDriver::commit(const std::u32string& text) {
  for (char32_t ch : text) {
    for (wchar_t u : utf16(std::u32string_view(&ch, 1))) app_->imeChar(u);
    dismissBoxes();
  }
}

void WineDriver::toClipboard(const std::u32string& text) { driver::App::setClipboard(utf16(text)); }

std::optional<MessageBox> WineDriver::openBox() {
  const auto box = app_->messageBox();
  if (!box) return std::nullopt;
  return MessageBox{narrow(box->text), narrow(box->title), box->icon, box->okOnly};
}

// A click on OK, Enter or Escape; a box that stays is clicked once more.
bool WineDriver::closeBox(int how) {
  if (how < 2) return app_->dismiss();
  return app_->dismissWithKey(how == 2 ? VK_RETURN : VK_ESCAPE) || app_->dismiss();
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

}  // namespace window
