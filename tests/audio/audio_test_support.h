// Shared by the audio tests: a host whose data directory is a test's own
// directory (OpenAL Soft stays silent for tests started by hand, too).
#pragma once

#include <string>

#include "host/game.h"
#include "support/files.h"
#include "support/wave.h"

// "quill://data/x" is DIR/x.
class DataHost : public VexGame {
public:
  explicit DataHost(std::string dataDir) : dataDir_(std::move(dataDir)) {}
  String PathToFilePath(const String &path) override;

private:
  std::string dataDir_;
};
