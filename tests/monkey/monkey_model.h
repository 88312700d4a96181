#pragma once
// A seeded random user of frmXRD and the facts that must hold after each of
// its actions. Toolkit-free: the runner (runner.h) lets it loose on any
// window driver. The stream of actions depends only on the seed and on the
// snapshots, so a seed and an action count replay a failure exactly.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/monkey/random.h"
#include "tests/window/driver.h"

namespace monkey {

using ui::Control;
using window::Action;
using window::Key;
using window::MessageBox;
using window::Snapshot;

class Monkey {
 public:
  explicit Monkey(std::uint64_t seed) : random_(seed) {}

  // The next action, chosen for the window as it is now.
  Action next(const Snapshot& now);
  // What is wrong with `after`, the window once `a` was done to `before`;
  // empty when everything holds.
  std::vector<std::string> check(const Snapshot& before, const Action& a,
                                 const Snapshot& after) const;

 private:
  int below(int n) { return random_.below(n); }
  bool chance(int percent) { return random_.chance(percent); }
  Control pickBox(const Snapshot& now);
  char32_t pickChar();
  std::u32string pickPaste();

  Random random_;
};

// What is wrong with the window as it first shows.
std::vector<std::string> checkStart(const Snapshot& s);

}  // namespace monkey
