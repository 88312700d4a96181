// The time from navigation start to the window being ready for input
// (the page's "sorbel-ready" mark), for sorbel.html and for a minimal page
// that marks its readiness the same way, loaded in turn in headless Chromium.
//   web_startup <sorbel.html> [LOADS]     (default 10)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "tests/web/browser.h"

namespace {

// One input and one button, ready as soon as they are there.
constexpr const char* kMinimal = R"(<!doctype html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>Sorbel</title></head>
<body><input id="txtD" type="text"><button type="button">计算</button>
<script>
document.getElementById("txtD").focus();
performance.mark("sorbel-ready");
document.documentElement.dataset.ready = "1";
</script></body></html>
)";

// Milliseconds from navigation start to the mark, once it is there.
constexpr const char* kReadyAt = R"(
return new Promise(resolve => {
  const started = Date.now();
  const check = () => {
    const mark = performance.getEntriesByName("sorbel-ready")[0];
    if (mark && document.documentElement.dataset.ready === "1") return resolve(mark.startTime);
    if (Date.now() - started > 20000) return resolve(null);
    setTimeout(check, 1);
  };
  check();
});
)";

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
  const std::filesystem::path minimal = std::filesystem::temp_directory_path() /
                                        ("sorbel-minimal-" + std::to_string(getpid()) + ".html");
  std::ofstream(minimal) << kMinimal;

  struct Page {
    const char* name;
    std::string url;
    std::vector<double> ms;
  };
  std::vector<Page> pages{{"sorbel.html", "file://" + page.string(), {}},
                          {"minimal", "file://" + minimal.string(), {}}};
  int status = 0;
  try {
    web::Launched chromium(web::Browser::Chromium, {});
    for (int i = -1; i < loads; ++i)  // the first round warms the caches
      for (Page& p : pages) {
        chromium.session().navigate(p.url);
        const web::Json at = chromium.session().execute(kReadyAt);
        if (at.is_null()) throw std::runtime_error(std::string(p.name) + " never got ready");
        if (i >= 0) p.ms.push_back(at.get<double>());
      }
    std::printf("%-12s %10s   (median of %d loads, headless Chromium)\n", "page", "ready", loads);
    for (const Page& p : pages) std::printf("%-12s %7.1f ms\n", p.name, median(p.ms));
    std::printf("goal for sorbel.html: at most 100 ms\n");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "web_startup: %s\n", e.what());
    status = 1;
  }
  std::filesystem::remove(minimal);
  return status;
}
