// The game itself, ending once its start-up is over: after the first update
// that runs the map with every asset loaded, it prints
//   startup_ms MS cpu_ms CPU
// MS: the milliseconds since its launcher's clock reading passed in the
// environment as TILEMARCH_LAUNCH_NS (CLOCK_REALTIME nanoseconds, read just
// before the launch), and ends. Without that variable it counts from its own
// process start as /proc records it, to the kernel's clock tick. CPU: the
// processor time all its threads used so far (the driver's included), which a
// busy machine stretches less than the wall time.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "game/flow.h"
#include "host/quill_game.h"

namespace {

double NowNs(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

// Milliseconds since the launch, or since the process start when the launcher
// gave no time.
double SinceLaunchMs() {
  if (const char *launch = std::getenv("TILEMARCH_LAUNCH_NS"))
    return (NowNs(CLOCK_REALTIME) - std::strtod(launch, nullptr)) / 1e6;
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // Field 22 (start time in clock ticks since boot) counts from the one after
  // the command name, which may itself hold spaces.
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22 && fields >> field; ++i) {
  }
  double startNs = std::strtod(field.c_str(), nullptr) * 1e9 / static_cast<double>(sysconf(_SC_CLK_TCK));
  return (NowNs(CLOCK_BOOTTIME) - startNs) / 1e6;
}

class StartupProbe : public c_MyApp {
public:
  void p_OnUpdate() override {
    bool onLoadedMap = m_loadStep == 0 && m_state == 1;
    c_MyApp::p_OnUpdate();
    if (!onLoadedMap) return;
    std::printf("startup_ms %.1f cpu_ms %.1f\n", SinceLaunchMs(), NowNs(CLOCK_PROCESS_CPUTIME_ID) / 1e6);
    std::fflush(stdout);
    std::_Exit(0);
  }
};

} // namespace

int main(int argc, char **argv) {
  VexQuillGame::Main(argc, argv, [] { new StartupProbe(); });
  return 0;
}
