// The crash report of a real process where a careless handler would hang or
// die silently.
#include <gtest/gtest.h>

#include "support/program.h"

namespace {

using namespace std::chrono_literals;

TEST(CrashReport, EveryCrashIsReportedAndEndsTheProcess) {
  for (const char *mode : {"overflow", "worker-overflow", "worker", "locked"}) {
    Program probe(BuildDir() + "/tests/crash_probe", Program::Options{"", {mode}, {}});
    EXPECT_EQ(probe.WaitForExit(10s), 255) << mode;
    EXPECT_TRUE(probe.Output().ends_with("Quill Runtime Error : Memory access violation\n\n"))
        << mode << ": the report comes last, in:\n"
        << probe.Output().substr(0, 400);
  }
}

} // namespace
