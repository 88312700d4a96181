// The monkey let loose on the page in a browser.
//   web_monkey chromium|webkit <sorbel.html> [--seed N] [--events N] [--verbose]
#include <cstdio>
#include <exception>

#include "tests/monkey/runner.h"
#include "tests/web/web_driver.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: web_monkey chromium|webkit <sorbel.html> [--seed N] [--events N]\n");
    return 2;
  }
  const auto browser = window::browserToTest(argv[1], argv[2]);
  if (!browser) return 0;
  const monkey::RunOptions options = monkey::parseOptions({argv + 3, argv + argc});
  const std::string name = std::string("web_monkey_") + argv[1];
  try {
    window::BrowserDriver driver(*browser, argv[2], SORBEL_SCREENSHOT_DIR, options.seed);
    return monkey::run(driver, options, name) == 0 ? 0 : 1;
  } catch (const std::exception& e) {
    std::printf("%s: FAILED: %s\n", name.c_str(), e.what());
    return 1;
  }
}
