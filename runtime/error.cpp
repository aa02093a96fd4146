// The runtime error report, the silent exit and the fatal-signal handler.
//
// The report is written with write(2) from fixed text and read back from the
// debugger with read(2): it runs inside signal handlers, where the faulting
// thread may hold the allocator's or a stream's lock.
#include "runtime/error.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/write_all.h"

void vexPrint(const String &text) {
  std::string line = text.ToUtf8();
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
}

namespace {

// Room for the report's handler when the thread's own stack is used up.
constexpr size_t kAltStackSize = 64 * 1024;
std::atomic<bool> reporting{false};
std::atomic<bool> mainParked{false};
pid_t mainThread = 0;
int parkSignal = 0;

[[noreturn]] void Park() {
  for (;;) pause();
}

void OnPark(int) {
  mainParked.store(true);
  Park();
}

// A report from another thread first stops the main loop, so that the game
// does not run on beside a stopped debugger; a main thread that never answers
// is given a tenth of a second.
void StopMainThread() {
  if (!mainThread || gettid() == mainThread) return;
  tgkill(getpid(), mainThread, parkSignal);
  timespec tick{0, 1000000};
  for (int i = 0; i < 100 && !mainParked.load(); ++i) nanosleep(&tick, nullptr);
}

// The debugger protocol: a marker on standard error, then commands from
// standard input. This build knows no commands; it waits for the debugger to
// go away, which with none attached is at once. Only the first report of a
// process is made; a thread that fails during it waits for the exit.
[[noreturn]] void Report(std::string_view message) {
  if (reporting.exchange(true)) Park();
  StopMainThread();
  WriteAll(STDOUT_FILENO, "Quill Runtime Error : ");
  WriteAll(STDOUT_FILENO, message);
  WriteAll(STDOUT_FILENO, "\n\n");
  WriteAll(STDERR_FILENO, "quill-debug: stopped: ");
  WriteAll(STDERR_FILENO, message);
  WriteAll(STDERR_FILENO, "\n");
  char line[256];
  for (ssize_t n; (n = read(STDIN_FILENO, line, sizeof line)) != 0;)
    if (n < 0 && errno != EINTR) break;
  _exit(255);
}

} // namespace

void vexError(const String &message) {
  std::fflush(stdout);
  if (message.Empty()) _exit(0);
  Report(message.ToUtf8());
}

namespace {

void OnFatalSignal(int sig) {
  switch (sig) {
  case SIGSEGV:
    Report("Memory access violation");
  case SIGILL:
    Report("Illegal instruction");
  case SIGFPE:
    Report("Floating point exception");
  default:
    Report("Unknown signal");
  }
}

} // namespace

void vexUseAlternateSignalStack() {
  // The stack is switched off before its memory goes with the thread.
  struct AltStack {
    std::unique_ptr<char[]> memory{new char[kAltStackSize]};
    AltStack() {
      stack_t stack{};
      stack.ss_sp = memory.get();
      stack.ss_size = kAltStackSize;
      sigaltstack(&stack, nullptr);
    }
    ~AltStack() {
      stack_t off{};
      off.ss_flags = SS_DISABLE;
      sigaltstack(&off, nullptr);
    }
  };
  thread_local AltStack altStack;
}

void vexInstallSignalHandlers() {
  mainThread = gettid();
  parkSignal = SIGRTMIN;
  // A stack overflow leaves no room for the handler on the thread's own stack.
  static char altStack[kAltStackSize];
  stack_t stack{};
  stack.ss_sp = altStack;
  stack.ss_size = sizeof altStack;
  sigaltstack(&stack, nullptr);
  struct sigaction action {};
  action.sa_handler = OnFatalSignal;
  action.sa_flags = SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (int sig : {SIGSEGV, SIGILL, SIGFPE}) sigaddset(&action.sa_mask, sig);
  for (int sig : {SIGSEGV, SIGILL, SIGFPE}) sigaction(sig, &action, nullptr);
  action.sa_handler = OnPark;
  action.sa_flags = 0;
  sigaction(parkSignal, &action, nullptr);
}
