// Helpers shared by the host tests.
#include "host_support.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

TempWorkDir::TempWorkDir() {
  char pattern[] = "/tmp/tilemarch-test-XXXXXX";
  path_ = mkdtemp(pattern);
  previous_ = std::filesystem::current_path();
  std::filesystem::current_path(path_);
}

TempWorkDir::~TempWorkDir() {
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadFileBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

void WriteFileBytes(const std::string &path, const std::string &bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

int RunProcess(const std::string &program, const std::string &arg, std::string *out, std::string *err) {
  char outName[] = "/tmp/tilemarch-out-XXXXXX", errName[] = "/tmp/tilemarch-err-XXXXXX";
  int outFd = mkstemp(outName), errFd = mkstemp(errName);
  pid_t pid = fork();
  if (pid == 0) {
    int devnull = open("/dev/null", O_RDONLY);
    dup2(devnull, 0);
    dup2(outFd, 1);
    dup2(errFd, 2);
    execl(program.c_str(), program.c_str(), arg.c_str(), static_cast<char *>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  close(outFd);
  close(errFd);
  if (out) *out = ReadFileBytes(outName);
  if (err) *err = ReadFileBytes(errName);
  unlink(outName);
  unlink(errName);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string BuildDir() {
  if (const char *dir = std::getenv("TILEMARCH_BUILD_DIR")) return dir;
  // Run by hand: the test executable lives in BUILD/tests.
  std::string exe = std::filesystem::canonical("/proc/self/exe").string();
  std::string tests = exe.substr(0, exe.rfind('/'));
  return tests.substr(0, tests.rfind('/'));
}
