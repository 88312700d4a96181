// Starts a program and waits for the X server to map a top-level window
// with the given title; prints the time taken in milliseconds and the
// program's resident memory at that moment in KiB, then ends the program.
//   startup_probe TITLE PROGRAM [ARGS...]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

std::string titleOf(Display* dpy, Window w) {
  const Atom netName = XInternAtom(dpy, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(dpy, w, netName, 0, 256, False, utf8, &type, &format, &count, &after,
                         &data) == Success &&
      data != nullptr) {
    title.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  if (title.empty()) {
    char* name = nullptr;
    if (XFetchName(dpy, w, &name) && name != nullptr) {
      title = name;
      XFree(name);
    }
  }
  return title;
}

long residentKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  Display* dpy = XOpenDisplay(nullptr);
  if (dpy == nullptr) {
    std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
    return 2;
  }
  // Selected before the program starts, so that no map can be missed.
  XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
  XSync(dpy, False);

  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  int rc = 1;
  for (;;) {
    while (XPending(dpy) > 0) {
      XEvent ev;
      XNextEvent(dpy, &ev);
      if (ev.type != MapNotify || titleOf(dpy, ev.xmap.window) != argv[1]) continue;
      const auto mapped = std::chrono::steady_clock::now();
      const long rss = residentKiB(pid);
      std::printf("%.2f %ld\n", std::chrono::duration<double, std::milli>(mapped - start).count(),
                  rss);
      rc = 0;
      goto done;
    }
    fd_set fds;
    FD_ZERO(&fds);
    FD_SET(ConnectionNumber(dpy), &fds);
    timeval timeout{20, 0};
    if (select(ConnectionNumber(dpy) + 1, &fds, nullptr, nullptr, &timeout) <= 0) {
      std::fprintf(stderr, "%s: no window titled \"%s\" within 20 s\n", argv[0], argv[1]);
      goto done;
    }
  }
done:
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  XCloseDisplay(dpy);
  return rc;
}
