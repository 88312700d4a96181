// The random user let loose on Sorbel.exe, from outside as in the window
// driver: every action of the model becomes posted input messages; after
// each one the window is read back and the model's facts are checked.
//   sorbel_monkey <Sorbel.exe> <screenshot dir> [--seed N] [--events N] [--verbose]
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "tests/monkey/monkey_model.h"
#include "tests/win32/screenshot.h"
#include "tests/win32/sorbel_app.h"
#include "ui/win32/wide.h"

using driver::App;
using monkey::Action;
using monkey::Key;
using ui::Control;
using ui::win32::narrow;

namespace {

std::wstring utf16(std::u32string_view s) {
  std::wstring out;
  for (char32_t c : s) {
    if (c < 0x10000) {
      out += static_cast<wchar_t>(c);
    } else {
      out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return out;
}

class Runner {
 public:
  Runner(std::wstring exe, std::uint64_t seed) : exe_(std::move(exe)), rng_(seed ^ 0xD15A1ull) {}

  int restarts = 0;
  long long posted() const { return postedBefore_ + (app_ ? app_->posted() : 0); }
  HWND window() const { return app_ ? app_->main() : nullptr; }

  void start() {
    if (app_) postedBefore_ += app_->posted();
    app_ = std::make_unique<App>(exe_);
  }

  void restart() {
    ++restarts;
    start();
  }

  monkey::Snapshot snapshot() {
    monkey::Snapshot s;
    s.boxes = std::move(seen_);
    seen_.clear();
    App& a = *app_;
    s.alive = a.started() && !a.waitExit(0) && IsWindow(a.main()) && IsWindowVisible(a.main());
    if (!s.alive) return s;
    for (int i = 0; i < ui::kControlCount; ++i) {
      const auto c = static_cast<Control>(i);
      s.text[i] = narrow(a.text(c));
      s.enabled[i] = a.enabled(c);
    }
    s.listIndex = a.listIndex();
    s.focus = a.focus();
    s.leftOpen = a.messageBox().has_value() || a.listDropped();
    return s;
  }

  void perform(const Action& a) {
    App& app = *app_;
    switch (a.kind) {
      case Action::Kind::Type:
        focusBox(a.box);
        // One character at a time: a refused one brings up its box, which
        // the user closes before the next one comes.
        for (char32_t ch : a.text) {
          const std::wstring units = utf16(std::u32string_view(&ch, 1));
          if (a.inputMethod)
            for (wchar_t u : units) app.imeChar(u);
          else
            app.type(units);
          dismissBoxes();
        }
        break;
      case Action::Kind::Paste:
        if (!App::setClipboard(utf16(a.text))) std::printf("  (clipboard not set)\n");
        focusBox(a.box);
        app.key('V', App::Ctrl);
        break;
      case Action::Kind::Press:
        press(a.key);
        break;
      case Action::Kind::Click:
        app.press(a.box);
        break;
      case Action::Kind::Choose:
        a.byMouse ? app.choose(a.anode) : chooseByKeyboard(a.anode);
        break;
    }
    dismissBoxes();
  }

  // Does `a`, which is to end the program; true if it ended as it should.
  bool performEnding(const Action& a) {
    if (a.kind == Action::Kind::Click)
      app_->press(a.box);
    else
      press(a.key);
    DWORD code = 1;
    return app_->waitExit(10000, &code) && code == 0;
  }

 private:
  void focusBox(Control c) {
    if (app_->focus() != c) app_->clickInto(c);
  }

  // Closes every message box that is up, by any of the usual means, and
  // keeps what each one showed.
  void dismissBoxes() {
    for (int n = 0; n < 10; ++n) {
      const auto box = app_->messageBox();
      if (!box) return;
      seen_.push_back({narrow(box->text), narrow(box->title), box->icon});
      const std::uint64_t how = rng() % 4;
      const bool gone =
          how < 2 ? app_->dismiss() : app_->dismissWithKey(how == 2 ? VK_RETURN : VK_ESCAPE);
      if (!gone && !app_->dismiss()) {
        seen_.push_back({"(would not close) " + narrow(box->text), "", false});
        return;
      }
    }
  }

  void press(Key k) {
    App& a = *app_;
    switch (k) {
      case Key::Backspace:
        return a.key(VK_BACK);
      case Key::Delete:
        return a.key(VK_DELETE);
      case Key::Enter:
        return a.key(VK_RETURN);
      case Key::Escape:
        return a.key(VK_ESCAPE);
      case Key::Tab:
        return a.key(VK_TAB);
      case Key::Backtab:
        return a.key(VK_TAB, App::Shift);
      case Key::Space:
        return a.key(VK_SPACE);
      case Key::Left:
        return a.key(VK_LEFT);
      case Key::Right:
        return a.key(VK_RIGHT);
      case Key::Home:
        return a.key(VK_HOME);
      case Key::End:
        return a.key(VK_END);
      case Key::Up:
        return a.key(VK_UP);
      case Key::Down:
        return a.key(VK_DOWN);
      case Key::SelectAll:
        return a.key('A', App::Ctrl);
      case Key::Undo:
        return a.key('Z', App::Ctrl);
      case Key::Redo:
        return a.key('Y', App::Ctrl);
      case Key::Cut:
        return a.key('X', App::Ctrl);
      case Key::Copy:
        return a.key('C', App::Ctrl);
    }
  }

  // Alt+Down opens the list; the arrows move its highlight, which the user
  // watches, to the entry; Enter takes it.
  void chooseByKeyboard(int anode) {
    App& a = *app_;
    focusBox(Control::combWL);
    a.key(VK_DOWN, App::Alt);
    if (!a.listDropped()) return;
    for (int n = 0; n < 12; ++n) {
      const int at = a.listIndex();
      if (at == anode) break;
      a.key(at < anode ? VK_DOWN : VK_UP);
    }
    a.key(VK_RETURN);
  }

  std::uint64_t rng() {
    rng_ ^= rng_ << 13;
    rng_ ^= rng_ >> 7;
    rng_ ^= rng_ << 17;
    return rng_;
  }

  std::wstring exe_;
  std::unique_ptr<App> app_;
  std::vector<monkey::MessageBox> seen_;
  long long postedBefore_ = 0;
  std::uint64_t rng_;
};

long long argument(int argc, wchar_t** argv, const wchar_t* flag, long long fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::wcscmp(argv[i], flag) == 0) return std::wcstoll(argv[i + 1], nullptr, 0);
  return fallback;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: sorbel_monkey <Sorbel.exe> <screenshot dir> [--seed N] [--events N]\n");
    return 2;
  }
  const std::wstring shots = argv[2];
  CreateDirectoryW(shots.c_str(), nullptr);
  const auto seed = static_cast<std::uint64_t>(argument(argc, argv, L"--seed", 20240611));
  const long long events = argument(argc, argv, L"--events", 2000);
  bool verbose = false;
  for (int i = 1; i < argc; ++i) verbose = verbose || std::wcscmp(argv[i], L"--verbose") == 0;
  std::printf("sorbel_monkey: seed %llu, %lld events (replay: --seed %llu --events N)\n",
              static_cast<unsigned long long>(seed), events, static_cast<unsigned long long>(seed));
  std::fflush(stdout);

  const ULONGLONG started = GetTickCount64();
  monkey::Monkey model(seed);
  Runner runner(argv[1], seed);
  runner.start();
  monkey::Snapshot before = runner.snapshot();
  int failures = 0;
  auto report = [&](long long i, const std::string& what, const std::string& fact) {
    if (++failures == 1) driver::screenshot(runner.window(), shots + L"\\monkey-failure.png");
    if (failures <= 20) std::printf("FAIL at event %lld (%s): %s\n", i, what.c_str(), fact.c_str());
    std::fflush(stdout);
  };
  for (const auto& f : monkey::checkStart(before)) report(0, "start", f);
  std::deque<std::string> recent;
  std::map<std::string, int> tally;  // what the run went through
  for (long long i = 1; i <= events; ++i) {
    const Action a = model.next(before);
    const bool ends = monkey::endsProgram(before, a);
    monkey::Snapshot after;
    if (ends) {
      after.ended = runner.performEnding(a);
      after.alive = false;
    } else {
      runner.perform(a);
      after = runner.snapshot();
    }
    const auto found = model.check(before, a, after);
    const std::string what = monkey::describe(a);
    if (verbose) {
      std::printf("%lld %s [%llu ms] focus %s:", i, what.c_str(), GetTickCount64() - started,
                  after.focus ? std::string(ui::nameOf(*after.focus)).c_str() : "-");
      for (Control c : {Control::txtD, Control::txt2X, Control::combWL, Control::txtWaveLengh,
                        Control::txtResult})
        std::printf(" %s=\"%s\"%s", std::string(ui::nameOf(c)).c_str(),
                    after.text[static_cast<int>(c)].c_str(),
                    after.enabled[static_cast<int>(c)] ? "" : "(off)");
      std::printf(" boxes %zu\n", after.boxes.size());
    }
    recent.push_back(what);
    if (recent.size() > 12) recent.pop_front();
    for (const auto& f : found) report(i, what, f);
    if (!found.empty() && failures <= 20) {
      std::printf("  the last actions:\n");
      for (const auto& r : recent) std::printf("    %s\n", r.c_str());
    }
    if (a.kind == Action::Kind::Choose)
      ++tally[a.byMouse ? "anodes by mouse" : "anodes by keyboard"];
    if (a.kind == Action::Kind::Paste) ++tally["pastes"];
    if (a.kind == Action::Kind::Type && a.inputMethod) ++tally["input-method characters"];
    const bool calculates = a.kind == Action::Kind::Click
                                ? a.box == Control::cmdCalculation
                                : a.kind == Action::Kind::Press && a.key == Key::Space &&
                                      before.focus == Control::cmdCalculation;
    if (calculates && after.boxes.empty()) ++tally["results written"];
    for (const auto& b : after.boxes) ++tally["box: " + b.text];
    if (ends || after.ended || !after.alive) {
      runner.restart();
      after = runner.snapshot();
      for (const auto& f : monkey::checkStart(after)) report(i, "restart", f);
    }
    before = std::move(after);
  }
  std::printf(
      "sorbel_monkey: %lld actions (%lld posted input messages, %d restarts) in %.1f s, %d "
      "failure(s)\n",
      events, runner.posted(), runner.restarts, (GetTickCount64() - started) / 1000.0, failures);
  for (const auto& [what, n] : tally) std::printf("  %6d %s\n", n, what.c_str());
  return failures == 0 ? 0 : 1;
}
