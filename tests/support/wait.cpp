// Waiting for a condition; see wait.h.
#include "support/wait.h"

#include <thread>

bool WaitFor(const std::function<bool()> &condition, std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) return condition();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}
