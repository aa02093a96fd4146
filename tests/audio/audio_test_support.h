// Shared by the audio tests: a host whose data directory is a test's own
// directory, and scenarios that need OpenAL configured their own way.
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

// OpenAL Soft reads its configuration once per process: runs the disabled test
// `name` of this executable in a child process under the configuration `conf`
// (empty: the mix captured into the file named by TILEMARCH_CAPTURE) and
// expects it to pass. Answers the child's output.
std::string RunUnderOpenAlConf(const std::string &name, const std::string &conf);
