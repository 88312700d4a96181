#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tests/window/driver.h"

namespace monkey {

struct RunOptions {
  std::uint64_t seed = 20240611;
  long long actions = 2000;
  bool verbose = false;  // one line per action: what was done and what the window shows
};

// `args` without the program's name: --seed N, --events N, --verbose. The
// environment's SORBEL_MONKEY_SEED and SORBEL_MONKEY_EVENTS stand in for
// missing flags.
RunOptions parseOptions(const std::vector<std::string>& args, RunOptions defaults = {});

// Lets the monkey loose on the program behind `driver`, checks every action
// and restarts the program whenever it ends. Prints a replayable report
// under `name`; returns the number of failed checks.
int run(window::Driver& driver, const RunOptions& options, const std::string& name);

}  // namespace monkey
