// Shared by the audio tests; see audio_test_support.h.
#include "audio_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/program.h"

namespace {

// Tests that open a device in-process run silently even when started outside
// ctest (which sets the same configuration).
const bool nullBackend = [] {
  setenv("ALSOFT_CONF", (SourceDir() + "/tests/alsoft-null.conf").c_str(), 0);
  return true;
}();

} // namespace

String DataHost::PathToFilePath(const String &path) {
  if (!path.StartsWith("quill://data/")) return path;
  return String::FromUtf8(dataDir_) + "/" + path.Slice(13);
}

std::string RunUnderOpenAlConf(const std::string &name, const std::string &conf) {
  TempDir dir;
  WriteFile(dir / "openal.conf", conf.empty() ? CaptureConf(dir / "out.wav") : conf);
  Program child("/proc/self/exe", {dir.Path(),
                                   {"--gtest_also_run_disabled_tests", "--gtest_filter=*.DISABLED_" + name},
                                   {{"ALSOFT_CONF", dir / "openal.conf"}, {"TILEMARCH_CAPTURE", dir / "out.wav"}}});
  EXPECT_EQ(child.WaitForExit(std::chrono::seconds(60)), 0) << child.Output();
  EXPECT_NE(child.Output().find("[  PASSED  ] 1 test"), std::string::npos) << child.Output();
  return child.Output();
}
