#include "tests/web/browser.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace web {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kChromium[] = {"/usr/lib/chromium/chromium", "/usr/bin/chromium"};
constexpr const char* kChromeDriver = "/usr/bin/chromedriver";
constexpr const char* kWebKitDriver = "/usr/bin/WebKitWebDriver";
constexpr const char* kMiniBrowser = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser";
constexpr const char* kXvfb = "/usr/bin/Xvfb";

bool executable(const char* path) { return ::access(path, X_OK) == 0; }

std::string chromium() {
  for (const char* p : kChromium)
    if (executable(p)) return p;
  return {};
}

// A forked process that outlives this one only to end the process groups it
// was told of: it reads their ids from a pipe, and at end of file, which
// comes however this process ends, ends every one of them.
class Watchdog {
 public:
  static Watchdog& get() {
    static Watchdog dog;
    return dog;
  }
  void watch(pid_t group) { tell(group); }
  void forget(pid_t group) { tell(-group); }
  ~Watchdog() {
    ::close(pipe_);
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
  }

 private:
  Watchdog() {
    // Orphaned browser processes come to this process, which reaps them.
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(fds[1]);
      const int null = ::open("/dev/null", O_RDWR);
      ::dup2(null, 1);
      ::dup2(null, 2);
      // Out of the way of signals sent to this process's group (^C, timeout):
      // it cleans up after them.
      ::setpgid(0, 0);
      for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) ::signal(sig, SIG_IGN);
      std::vector<pid_t> groups;
      pid_t g;
      while (::read(fds[0], &g, sizeof g) == static_cast<ssize_t>(sizeof g)) {
        if (g > 0) groups.push_back(g);
        std::erase(groups, -g);
      }
      for (pid_t group : groups) ::kill(-group, SIGTERM);
      if (!groups.empty()) std::this_thread::sleep_for(1s);
      for (pid_t group : groups) ::kill(-group, SIGKILL);
      ::_exit(0);
    }
    ::close(fds[0]);
    pipe_ = fds[1];
  }
  void tell(pid_t g) {
    if (::write(pipe_, &g, sizeof g) != static_cast<ssize_t>(sizeof g))
      throw std::runtime_error("the watchdog is gone");
  }
  pid_t pid_ = -1;
  int pipe_ = -1;
};

int freePort() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof a;
  if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &size) != 0) {
    ::close(s);
    throw std::runtime_error("no free port");
  }
  ::close(s);
  return ntohs(a.sin_port);
}

std::string tail(const std::string& path) {
  std::ifstream in(path);
  std::stringstream all;
  all << in.rdbuf();
  const std::string text = all.str();
  return text.size() > 2000 ? text.substr(text.size() - 2000) : text;
}

}  // namespace

const char* nameOf(Browser b) { return b == Browser::Chromium ? "chromium" : "webkit"; }

std::optional<Browser> browserNamed(const std::string& name) {
  for (Browser b : {Browser::Chromium, Browser::WebKit})
    if (name == nameOf(b)) return b;
  return std::nullopt;
}

std::optional<std::string> missing(Browser b) {
  std::vector<const char*> needed;
  if (b == Browser::Chromium) {
    if (chromium().empty()) return "no Chromium (package chromium)";
    needed = {kChromeDriver};
  } else {
    needed = {kWebKitDriver, kMiniBrowser, kXvfb};
  }
  for (const char* p : needed)
    if (!executable(p)) return std::string("no ") + p;
  return std::nullopt;
}

Process::Process(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                 const std::string& log) {
  Watchdog& dog = Watchdog::get();
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    ::setpgid(0, 0);
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(out, 2);
    for (const std::string& e : env) ::putenv(const_cast<char*>(e.c_str()));
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    std::fprintf(stderr, "cannot run %s: %s\n", args[0], std::strerror(errno));
    ::_exit(127);
  }
  ::setpgid(pid_, pid_);
  dog.watch(pid_);
}

bool Process::running() const { return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0; }

// Asks the group to end, then makes it; reaps what comes back to this process.
void Process::end() {
  if (pid_ <= 0) return;
  const pid_t group = std::exchange(pid_, -1);
  auto gone = [group] {
    while (::waitpid(-group, nullptr, WNOHANG) > 0) {
    }
    return ::kill(-group, 0) != 0 && errno == ESRCH;
  };
  ::kill(-group, SIGTERM);
  for (int i = 0; i < 300 && !gone(); ++i) std::this_thread::sleep_for(10ms);
  ::kill(-group, SIGKILL);
  for (int i = 0; i < 500 && !gone(); ++i) std::this_thread::sleep_for(10ms);
  Watchdog::get().forget(group);
}

Launched::Launched(Browser b, BrowserOptions options) : browser_(b), options_(options) {
  char dir[] = "/tmp/sorbel-web-XXXXXX";
  if (::mkdtemp(dir) == nullptr) throw std::runtime_error("mkdtemp failed");
  tmp_ = dir;
  Json capabilities;
  if (b == Browser::Chromium) {
    const std::string server = startServer({kChromeDriver}, {});
    // As root Chromium needs --no-sandbox; without the networking flags it
    // keeps trying to reach services that a test machine has no way to.
    Json args = {"--headless",
                 "--no-sandbox",
                 "--disable-gpu",
                 "--disable-quic",
                 "--no-first-run",
                 "--no-default-browser-check",
                 "--disable-background-networking",
                 "--disable-component-update",
                 "--disable-sync",
                 "--disable-extensions",
                 "--force-device-scale-factor=1",
                 "--window-size=800,600",
                 "--user-data-dir=" + tmp_ + "/profile"};
    if (!options.language.empty()) args.push_back("--accept-lang=" + options.language);
    Json chrome = {{"binary", chromium()}, {"args", args}};
    if (options.phone)
      chrome["mobileEmulation"] = {
          {"deviceMetrics", {{"width", 360}, {"height", 640}, {"pixelRatio", 2}, {"touch", true}}},
          {"userAgent", "Mozilla/5.0 (Linux; Android 14) Mobile"}};
    capabilities = {{"browserName", "chrome"},
                    {"goog:chromeOptions", chrome},
                    {"goog:loggingPrefs", {{"browser", "ALL"}}}};
    session_ = std::make_unique<Session>(server, capabilities);
    return;
  }
  // On an X server of its own. Composited, an element's screenshot comes
  // out black under Xvfb.
  const std::string server =
      startServer({SORBEL_WITH_XVFB, kWebKitDriver},
                  {"GDK_BACKEND=x11", "NO_AT_BRIDGE=1", "WEBKIT_DISABLE_COMPOSITING_MODE=1",
                   "XDG_RUNTIME_DIR=" + tmp_, "HOME=" + tmp_});
  Json args = {"--automation"};
  if (options.dark) args.push_back("--dark-mode");  // GTK's dark variant: prefers-color-scheme
  capabilities = {{"webkitgtk:browserOptions", {{"binary", kMiniBrowser}, {"args", args}}}};
  session_ = std::make_unique<Session>(server, capabilities);
}

void Launched::preparePage() {
  if (browser_ != Browser::Chromium) return;  // MiniBrowser was started with its scheme
  const Json scheme = {{"name", "prefers-color-scheme"},
                       {"value", options_.dark ? "dark" : "light"}};
  session_->cdp("Emulation.setEmulatedMedia", {{"features", Json::array({scheme})}});

  // A window opened beside another has no focus until it is brought up.
  session_->cdp("Page.bringToFront");
}

std::vector<std::string> Launched::consoleMessages() {
  std::vector<std::string> messages;
  for (const Json& entry : session_->browserLog())
    messages.push_back(entry.value("level", "") + ": " + entry.value("message", ""));
  return messages;
}

Launched::~Launched() {
  session_.reset();
  server_.reset();
  std::error_code ignored;
  fs::remove_all(tmp_, ignored);
}

std::string Launched::startServer(const std::vector<std::string>& argv,
                                  const std::vector<std::string>& env) {
  const int port = freePort();
  std::vector<std::string> command = argv;
  command.push_back("--port=" + std::to_string(port));
  const std::string log = tmp_ + "/server.log";
  server_ = std::make_unique<Process>(command, env, log);
  const std::string base = "http://127.0.0.1:" + std::to_string(port);
  Http http(base);
  // It answers once it has started, which a first start on a busy machine
  // may take long to do; one that dies ends the wait.
  const auto deadline = std::chrono::steady_clock::now() + 120s;
  while (std::chrono::steady_clock::now() < deadline && server_->running()) {
    try {
      if (http.call("GET", "/status", nullptr, 5).value("ready", false)) return base;
    } catch (const Error&) {
    }
    std::this_thread::sleep_for(20ms);
  }
  throw std::runtime_error(argv.back() + " did not answer: " + tail(log));
}

}  // namespace web
