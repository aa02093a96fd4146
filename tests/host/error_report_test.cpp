// The runtime's error report, checked on a real process.
#include <gtest/gtest.h>

#include "support/program.h"

TEST(ErrorReport, ErrorsAndFatalSignalsAreReportedAndEndWith255) {
  struct Case {
    const char *raise;
    int status;
    std::string out;
  } cases[] = {
      {"empty", 0, ""},
      {"boom", 255, "Quill Runtime Error : boom\n\n"},
      {"segv", 255, "Quill Runtime Error : Memory access violation\n\n"},
      {"fpe", 255, "Quill Runtime Error : Floating point exception\n\n"},
  };
  for (const Case &c : cases) {
    std::string out, err;
    EXPECT_EQ(RunProcess(BuildDir() + "/tests/error_probe", c.raise, &out, &err), c.status) << c.raise;
    EXPECT_EQ(out, c.out);
    // The debugger's marker names the error; an empty error is a silent exit.
    EXPECT_EQ(err.find("boom") != std::string::npos, c.raise == std::string("boom")) << err;
  }
}
