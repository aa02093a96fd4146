// Launches a program and times it as a player sees it start, from outside:
//   window_probe TITLE HOLD_MS COMMAND [ARGS...]
// prints
//   window mapped_ms MAPPED drawn_ms DRAWN hwm_kb PEAK
// MAPPED: milliseconds from just before the launch until a window titled TITLE
// is viewable; DRAWN: until that window's pixels first hold more than one
// colour (a window only cleared to its background does not count). It then
// lets the program run HOLD_MS more, reads its peak resident memory (VmHWM),
// and ends it. Windows are looked for every 4 ms; exit code 1 when no drawn
// window appears within 30 s.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Windows vanish between listing and asking; such errors only mean "not yet".
int IgnoreErrors(Display *, XErrorEvent *) { return 0; }

Window FindTitled(Display *display, Window at, const char *title) {
  char *name = nullptr;
  if (XFetchName(display, at, &name) && name) {
    bool match = std::strcmp(name, title) == 0;
    XFree(name);
    if (match) return at;
  }
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, at, &root, &parent, &children, &count)) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && !found; ++i) found = FindTitled(display, children[i], title);
  if (children) XFree(children);
  return found;
}

bool Viewable(Display *display, Window window) {
  XWindowAttributes a;
  return XGetWindowAttributes(display, window, &a) && a.map_state == IsViewable;
}

bool HasTwoColours(Display *display, Window window) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(display, window, &a)) return false;
  XImage *image = XGetImage(display, window, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
  if (!image) return false;
  unsigned long first = XGetPixel(image, 0, 0);
  bool two = false;
  for (int y = 0; y < a.height && !two; ++y)
    for (int x = 0; x < a.width && !two; ++x) two = XGetPixel(image, x, y) != first;
  XDestroyImage(image);
  return two;
}

long PeakKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: window_probe TITLE HOLD_MS COMMAND [ARGS...]\n");
    return 2;
  }
  Display *display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "window_probe: no X display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreErrors);
  const char *title = argv[1];
  const int holdMs = std::atoi(argv[2]);

  const Clock::time_point start = Clock::now();
  pid_t child = fork();
  if (child == 0) {
    execvp(argv[3], argv + 3);
    _exit(127);
  }
  if (child < 0) return 2;

  double mapped = -1, drawn = -1;
  Window window = 0;
  while (drawn < 0 && MsSince(start) < 30000) {
    if (waitpid(child, nullptr, WNOHANG) == child) break;
    if (!window) window = FindTitled(display, DefaultRootWindow(display), title);
    if (window && mapped < 0 && Viewable(display, window)) mapped = MsSince(start);
    if (mapped >= 0 && HasTwoColours(display, window)) drawn = MsSince(start);
    if (drawn < 0) std::this_thread::sleep_for(std::chrono::milliseconds(4));
  }
  if (drawn >= 0) std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
  long peak = PeakKb(child);
  kill(child, SIGTERM);
  for (int i = 0; i < 200 && waitpid(child, nullptr, WNOHANG) == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  XCloseDisplay(display);
  if (drawn < 0) {
    std::fprintf(stderr, "window_probe: no drawn window titled \"%s\"\n", title);
    return 1;
  }
  std::printf("window mapped_ms %.1f drawn_ms %.1f hwm_kb %ld\n", mapped, drawn, peak);
  return 0;
}
