// Files, shell commands and build locations for tests.
#include "support/files.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

std::string Shell(const std::string &command) {
  std::string out;
  FILE *pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
  pclose(pipe);
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

int ShellStatus(const std::string &command) {
  int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const std::string &path, const std::string &bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string BuildDir() {
  if (const char *dir = std::getenv("TILEMARCH_BUILD_DIR")) return dir;
  return fs::canonical("/proc/self/exe").parent_path().parent_path().string();
}

std::string SourceDir() {
  if (const char *dir = std::getenv("TILEMARCH_SOURCE_DIR")) return dir;
  return fs::path(BuildDir()).parent_path().string();
}

TempDir::TempDir(bool enter) {
  char pattern[] = "/tmp/tilemarch-test-XXXXXX";
  path_ = mkdtemp(pattern);
  if (enter) {
    previous_ = fs::current_path().string();
    fs::current_path(path_);
  }
}

TempDir::~TempDir() {
  if (!previous_.empty()) fs::current_path(previous_);
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}
