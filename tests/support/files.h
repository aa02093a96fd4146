// Files, shell commands and build locations for tests that work with real
// processes and directories.
#pragma once

#include <string>

// A shell command's standard output without trailing newlines and spaces.
std::string Shell(const std::string &command);
// A shell command's exit status, or -1 when it did not end normally.
int ShellStatus(const std::string &command);

std::string ReadFile(const std::string &path);
void WriteFile(const std::string &path, const std::string &bytes);

// Where the tests were built (TILEMARCH_BUILD_DIR, or above the test's
// folder) and the source tree (TILEMARCH_SOURCE_DIR).
std::string BuildDir();
std::string SourceDir();

// A fresh directory under /tmp, removed with everything in it afterwards.
// Entered, it is also the working directory for the object's lifetime.
class TempDir {
public:
  explicit TempDir(bool enter = false);
  ~TempDir();
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;
  const std::string &Path() const { return path_; }
  std::string operator/(const std::string &name) const { return path_ + "/" + name; }

private:
  std::string path_, previous_;
};
