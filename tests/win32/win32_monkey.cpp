// The monkey let loose on Sorbel.exe under wine, from outside.
//   win32_monkey <Sorbel.exe> <screenshot dir> [--seed N] [--events N] [--verbose]
#include <windows.h>

#include <cstdio>

#include "tests/monkey/runner.h"
#include "tests/win32/wine_driver.h"
#include "ui/win32/wide.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: win32_monkey <Sorbel.exe> <screenshot dir> [--seed N] [--events N]\n");
    return 2;
  }
  std::vector<std::string> args;
  for (int i = 3; i < argc; ++i) args.push_back(ui::win32::narrow(argv[i]));
  const monkey::RunOptions options = monkey::parseOptions(args);
  window::WineDriver driver(argv[1], argv[2], options.seed);
  return monkey::run(driver, options, "win32_monkey") == 0 ? 0 : 1;
}
