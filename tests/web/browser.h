#pragma once
// Browsers started for a test, each with its WebDriver server on a free port
// (WebKit on an X server of its own), and ended with everything they started,
// also when the test fails, times out or dies.
#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/web/webdriver.h"

namespace web {

enum class Browser { Chromium, WebKit };
const char* nameOf(Browser b);  // "chromium", "webkit"
std::optional<Browser> browserNamed(const std::string& name);

// What `b` needs that this machine lacks, or nothing.
std::optional<std::string> missing(Browser b);

struct BrowserOptions {
  bool dark = false;  // the desktop prefers a dark colour scheme
  // Chromium as a phone: 360 by 640 CSS pixels, a coarse pointer, touch.
  bool phone = false;
  // The language the browser tells pages it has (Chromium); "": the machine's.
  std::string language = "";
};

// A program in a process group of its own. Ending it ends the group. A
// watchdog process ends every group still running should this process die
// without doing so.
class Process {
 public:
  // `env`: NAME=value pairs added to this process's environment.
  Process(const std::vector<std::string>& argv, const std::vector<std::string>& env,
          const std::string& log);
  ~Process() { end(); }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  bool running() const;
  void end();

 private:
  pid_t pid_ = -1;
};

// A browser and its WebDriver server, with one session open on it.
class Launched {
 public:
  Launched(Browser b, BrowserOptions options);
  ~Launched();
  Launched(const Launched&) = delete;
  Launched& operator=(const Launched&) = delete;
  Session& session() { return *session_; }
  Browser browser() const { return browser_; }
  // Readies the window just switched to for the page: the colour scheme.
  void preparePage();
  // What the pages wrote to the browser's console since the last call
  // (Chromium).
  std::vector<std::string> consoleMessages();

 private:
  std::string startServer(const std::vector<std::string>& argv,
                          const std::vector<std::string>& env);

  Browser browser_;
  BrowserOptions options_;
  std::string tmp_;
  std::unique_ptr<Process> server_;
  std::unique_ptr<Session> session_;
};

}  // namespace web
