// Shared by the audio tests; see audio_test_support.h.
#include "audio_test_support.h"

#include <cstdlib>

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
