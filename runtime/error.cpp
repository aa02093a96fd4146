// The runtime error report, the silent exit and the fatal-signal handler.
#include "runtime/error.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

void vexPrint(const String &text) {
  std::string line = text.ToUtf8();
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
}

namespace {

// The debugger protocol: a marker on standard error, then commands from
// standard input. This build knows no commands; it waits for the debugger to
// go away, which with none attached is at once.
[[noreturn]] void EnterDebugger(const String &message) {
  std::string marker = "quill-debug: stopped: " + message.ToUtf8() + "\n";
  std::fwrite(marker.data(), 1, marker.size(), stderr);
  std::fflush(stderr);
  char line[256];
  while (std::fgets(line, sizeof line, stdin)) {
  }
  std::fflush(stdout);
  _exit(255);
}

} // namespace

void vexError(const String &message) {
  if (message.Empty()) {
    std::fflush(stdout);
    _exit(0);
  }
  vexPrint("Quill Runtime Error : " + message);
  vexPrint(String());
  EnterDebugger(message);
}

namespace {

// Runs on the faulting thread with the signal blocked; the report and the exit
// never return into the faulting code.
void OnFatalSignal(int sig) {
  switch (sig) {
  case SIGSEGV:
    vexError("Memory access violation");
  case SIGILL:
    vexError("Illegal instruction");
  case SIGFPE:
    vexError("Floating point exception");
  default:
    vexError("Unknown signal");
  }
}

} // namespace

void vexInstallSignalHandlers() {
  std::signal(SIGSEGV, OnFatalSignal);
  std::signal(SIGILL, OnFatalSignal);
  std::signal(SIGFPE, OnFatalSignal);
}
