// Programs under test as real processes.
#include "support/program.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::chrono_literals;

Program::Program(const std::string &path, Options options) {
  if (options.workDir.empty()) options.workDir = (ownDir_ = std::make_unique<TempDir>())->Path();
  dir_ = options.workDir;
  // Outside the working directory, which may not be writable.
  char pattern[] = "/tmp/tilemarch-out-XXXXXX";
  close(mkstemp(pattern));
  outPath_ = pattern;
  options.args.insert(options.args.begin(), path);
  pid_ = fork();
  if (pid_ == 0) {
    for (const auto &[name, value] : options.env)
      value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
    if (chdir(dir_.c_str()) != 0) _exit(126);
    if (!freopen("/dev/null", "r", stdin) || !freopen(outPath_.c_str(), "w", stdout)) _exit(126);
    std::vector<char *> argv;
    for (auto &arg : options.args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
  }
}

Program::~Program() {
  if (pid_ > 0 && !exited_) kill(pid_, SIGKILL), waitpid(pid_, nullptr, 0);
  unlink(outPath_.c_str());
}

std::string Program::Output() const { return ReadFile(outPath_); }

int Program::WaitForExit(std::chrono::milliseconds limit) {
  int status = 0;
  if (exited_ || !WaitFor([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, limit)) return -1;
  exited_ = true;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void Program::Signal(int signal) const {
  if (pid_ > 0 && !exited_) kill(pid_, signal);
}

std::string Program::WindowId() const {
  std::string id;
  WaitFor([&] {
    return !(id =
                 Shell("xdotool search --pid " + std::to_string(pid_) + " --name '^Tilemarch$' 2>/dev/null | tail -n1"))
                .empty();
  });
  return id;
}

int Program::CloseWindow() {
  int status = -1;
  for (int attempt = 0; attempt < 20 && status == -1; ++attempt)
    Shell("wmctrl -i -c " + WindowId() + " 2>/dev/null"), status = WaitForExit(1s);
  return status;
}

int CountMatches(const std::string &text, const std::regex &pattern) {
  return static_cast<int>(
      std::distance(std::sregex_iterator(text.begin(), text.end(), pattern), std::sregex_iterator()));
}
