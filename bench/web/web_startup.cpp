// Start-up of the page against a minimal page (one box, one button,
// bench/web/minimal.html), loaded in turn in headless Chromium, with the CPU
// as it is and 4 times slower (DevTools' CPU throttling): the time from
// navigation start to the first contentful paint, and to the window ready
// for input (the page's "sorbel-ready" mark).
//   web_startup <sorbel.html> [LOADS]     (default 10)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/web/browser.h"

namespace {

// Milliseconds from navigation start to the first contentful paint and to
// the ready mark, once both are there.
constexpr const char* kTimes = R"js(
return new Promise(resolve => {
  const started = Date.now();
  const check = () => {
    const paint = performance.getEntriesByName("first-contentful-paint")[0];
    const ready = performance.getEntriesByName("sorbel-ready")[0];
    if (paint && ready) return resolve([paint.startTime, ready.startTime]);
    if (Date.now() - started > 20000) return resolve(null);
    setTimeout(check, 1);
  };
  check();
});
)js";

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: web_startup <sorbel.html> [LOADS]\n");
    return 2;
  }
  const std::filesystem::path page = std::filesystem::absolute(argv[1]);
  const int loads = argc > 2 ? std::atoi(argv[2]) : 10;
  if (!std::filesystem::exists(page)) {
    std::printf("SKIPPED: %s is not built (cmake --preset web && cmake --build --preset web)\n",
                page.c_str());
    return 0;
  }
  if (const auto why = web::missing(web::Browser::Chromium)) {
    std::printf("SKIPPED: %s\n", why->c_str());
    return 0;
  }
  struct Page {
    const char* name;
    std::string url;
    std::vector<double> paint, ready;
  };
  try {
    web::Launched chromium(web::Browser::Chromium, {});
    web::Session& s = chromium.session();
    std::printf("%-12s %4s %10s %10s   (median of %d loads, headless Chromium)\n", "page", "cpu",
                "painted", "ready", loads);
    for (int slowdown : {1, 4}) {
      s.cdp("Emulation.setCPUThrottlingRate", {{"rate", slowdown}});
      std::vector<Page> pages{{"sorbel.html", "file://" + page.string(), {}, {}},
                              {"minimal", "file://" SORBEL_MINIMAL_PAGE, {}, {}}};
      for (int i = -1; i < loads; ++i)  // the first round warms the caches
        for (Page& p : pages) {
          s.navigate(p.url);
          const web::Json at = s.execute(kTimes);
          if (at.is_null()) throw std::runtime_error(std::string(p.name) + " never got ready");
          if (i < 0) continue;
          p.paint.push_back(at[0].get<double>());
          p.ready.push_back(at[1].get<double>());
        }
      for (const Page& p : pages)
        std::printf("%-12s %3dx %7.1f ms %7.1f ms\n", p.name, slowdown, median(p.paint),
                    median(p.ready));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "web_startup: %s\n", e.what());
    return 1;
  }
}
