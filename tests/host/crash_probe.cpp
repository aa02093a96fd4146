// Crashes as a game can, for the crash report's tests: a stack overflowing on
// the main thread or on a worker, a worker faulting while the main loop runs
// under an attached debugger, a fault while another thread holds the output
// stream.
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>

#include "net/thread.h"
#include "runtime/error.h"

namespace {

// Deep enough for any stack; the frame's use after the call keeps every frame.
int Recurse(int depth) {
  volatile char frame[256];
  frame[0] = static_cast<char>(depth);
  if (depth > 1 << 30) return 0;
  return Recurse(depth + 1) + frame[0];
}

// Standard input stays open for two seconds, as a debugger's would.
void AttachDebugger() {
  int fds[2];
  if (pipe(fds) != 0) return;
  if (fork() == 0) _exit(sleep(2));
  dup2(fds[0], STDIN_FILENO);
  close(fds[1]);
}

class OverflowingWorker : public VexThread {
  void Run__UNSAFE__() override { Recurse(0); }
};

} // namespace

int main(int argc, char **argv) {
  vexInstallSignalHandlers();
  const char *what = argc > 1 ? argv[1] : "";
  if (!std::strcmp(what, "overflow")) return Recurse(0);
  if (!std::strcmp(what, "worker-overflow")) {
    std::make_shared<OverflowingWorker>()->Start();
    for (;;) pause();
  }
  if (!std::strcmp(what, "worker")) {
    AttachDebugger();
    std::thread([] {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      std::raise(SIGSEGV);
    }).detach();
    for (;;) {
      vexPrint("tick");
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  if (!std::strcmp(what, "locked")) {
    std::atomic<bool> locked{false};
    std::thread([&locked] { flockfile(stdout), locked = true, pause(); }).detach();
    while (!locked) std::this_thread::yield();
    std::raise(SIGSEGV);
  }
  return 3;
}
