// Waiting for what a test needs to see (a file, a line of output, a window, a
// pixel) instead of for a fixed time: a machine busy with a parallel build,
// or a sanitised build, may take many times as long as a quiet one.
#pragma once

#include <chrono>
#include <functional>

// Whether the condition came true before the deadline; asked at once, then
// every 50 ms, and a last time at the deadline.
bool WaitFor(const std::function<bool()> &condition, std::chrono::milliseconds deadline = std::chrono::seconds(30));
