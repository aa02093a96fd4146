// Worker thread start and entry; see thread.h.
#include "net/thread.h"

#include <cstdlib>
#include <system_error>
#include <thread>

#include "runtime/error.h"

void VexThread::Start() {
  if (state_.load(std::memory_order_acquire) == kRunning) return;
  result_.reset();
  state_.store(kRunning, std::memory_order_release);
  try {
    std::thread(run, shared_from_this()).detach();
  } catch (const std::system_error &) {
    vexPrint("CreateThread failed!");
    std::_Exit(255);
  }
}

void VexThread::run(std::shared_ptr<VexThread> thread) {
  vexUseAlternateSignalStack();
  thread->Run__UNSAFE__();
  thread->state_.store(kFinished, std::memory_order_release);
}

String VexThread::Strdup(const String &text) { return String(std::u16string(text.Units())); }
