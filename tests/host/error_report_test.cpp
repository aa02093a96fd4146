// The runtime's error report, checked on a real process.
#include <gtest/gtest.h>

#include "support/program.h"

namespace {

std::string Probe() { return BuildDir() + "/tests/error_probe"; }

TEST(ErrorReport, EmptyMessageExitsZeroSilently) {
  std::string out, err;
  EXPECT_EQ(RunProcess(Probe(), "empty", &out, &err), 0);
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, "");
}

TEST(ErrorReport, MessageIsReportedThenDebuggerEndsWithStandardInput) {
  std::string out, err;
  EXPECT_EQ(RunProcess(Probe(), "boom", &out, &err), 255);
  EXPECT_EQ(out, "Quill Runtime Error : boom\n\n");
  EXPECT_NE(err.find("boom"), std::string::npos) << "the marker names the error";
}

TEST(ErrorReport, FatalSignalsAreRuntimeErrors) {
  std::string out;
  EXPECT_EQ(RunProcess(Probe(), "segv", &out, nullptr), 255);
  EXPECT_EQ(out, "Quill Runtime Error : Memory access violation\n\n");
  EXPECT_EQ(RunProcess(Probe(), "fpe", &out, nullptr), 255);
  EXPECT_EQ(out, "Quill Runtime Error : Floating point exception\n\n");
}

} // namespace
