#include "tests/monkey/runner.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>

#include "tests/monkey/monkey_model.h"
#include "ui/controls.h"

namespace monkey {
namespace {

long long number(const std::vector<std::string>& args, const std::string& flag, const char* env,
                 long long fallback) {
  for (std::size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == flag) return std::strtoll(args[i + 1].c_str(), nullptr, 0);
  if (const char* v = std::getenv(env); v && *v) return std::strtoll(v, nullptr, 0);
  return fallback;
}

bool calculates(const Snapshot& before, const Action& a) {
  if (a.kind == Action::Kind::Click) return a.box == Control::cmdCalculation;
  return a.kind == Action::Kind::Press && a.key == Key::Space &&
         before.focus == Control::cmdCalculation;
}

void printWindow(long long i, const Action& a, double seconds, const Snapshot& s) {
  std::printf("%lld %s [%.3f s] focus %s:", i, window::describe(a).c_str(), seconds,
              s.focus ? std::string(ui::nameOf(*s.focus)).c_str() : "-");
  for (Control c : window::kBoxes)
    std::printf(" %s=\"%s\"%s", std::string(ui::nameOf(c)).c_str(), s[c].c_str(),
                s.isEnabled(c) ? "" : "(off)");
  std::printf(" boxes %zu\n", s.boxes.size());
}

}  // namespace

RunOptions parseOptions(const std::vector<std::string>& args, RunOptions defaults) {
  RunOptions o = defaults;
  o.seed = static_cast<std::uint64_t>(
      number(args, "--seed", "SORBEL_MONKEY_SEED", static_cast<long long>(defaults.seed)));
  o.actions = number(args, "--events", "SORBEL_MONKEY_EVENTS", defaults.actions);
  for (const std::string& a : args) o.verbose = o.verbose || a == "--verbose";
  return o;
}

int run(window::Driver& driver, const RunOptions& options, const std::string& name) {
  const char* me = name.c_str();
  const auto seed = static_cast<unsigned long long>(options.seed);
  std::printf("%s: seed %llu, %lld actions (replay: --seed %llu --events N)\n", me, seed,
              options.actions, seed);
  std::fflush(stdout);
  const auto started = std::chrono::steady_clock::now();
  auto seconds = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  };

  Monkey model(options.seed);
  driver.start();
  Snapshot before = driver.snapshot();
  int failures = 0, restarts = 0;
  auto report = [&](long long i, const std::string& what, const std::string& fact) {
    if (++failures == 1) driver.screenshot("monkey-failure.png");
    if (failures <= 20)
      std::printf("FAIL at action %lld (%s): %s\n", i, what.c_str(), fact.c_str());
    std::fflush(stdout);
  };
  for (const auto& f : checkStart(before)) report(0, "start", f);
  std::deque<std::string> recent;
  std::map<std::string, int> tally;  // what the run went through: a quiet run is seen to try
  for (long long i = 1; i <= options.actions; ++i) {
    const Action a = model.next(before);
    const bool ends = window::endsProgram(before, a);
    Snapshot after;
    if (ends) {
      after.ended = driver.performEnding(a);
      after.alive = false;
    } else {
      driver.perform(a);
      after = driver.snapshot();
    }
    const std::string what = window::describe(a);
    if (options.verbose) printWindow(i, a, seconds(), after);
    recent.push_back(what);
    if (recent.size() > 12) recent.pop_front();
    const auto found = model.check(before, a, after);
    for (const auto& f : found) report(i, what, f);
    if (!found.empty() && failures <= 20) {
      std::printf("  the last actions:\n");
      for (const auto& r : recent) std::printf("    %s\n", r.c_str());
    }
    if (a.kind == Action::Kind::Choose)
      ++tally[a.byMouse ? "anodes by mouse" : "anodes by keyboard"];
    if (a.kind == Action::Kind::Paste) ++tally["pastes"];
    if (a.kind == Action::Kind::Type && a.inputMethod) ++tally["input-method commits"];
    if (calculates(before, a) && after.boxes.empty()) ++tally["results written"];
    for (const auto& b : after.boxes) ++tally["box: " + b.text];
    if (ends || after.ended || !after.alive) {
      ++restarts;
      driver.start();
      after = driver.snapshot();
      for (const auto& f : checkStart(after)) report(i, "restart", f);
    }
    before = std::move(after);
  }
  std::printf("%s: %lld actions (%d restarts) in %.1f s, %d failure(s)\n", me, options.actions,
              restarts, seconds(), failures);
  for (const auto& [what, n] : tally) std::printf("  %6d %s\n", n, what.c_str());
  std::fflush(stdout);
  return failures;
}

}  // namespace monkey
