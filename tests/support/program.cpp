// Programs under test as real processes.
#include "support/program.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

using namespace std::chrono_literals;

Program::Program(const std::string &path, Options options) {
  if (options.workDir.empty()) {
    ownDir_ = std::make_unique<TempDir>();
    options.workDir = ownDir_->Path();
  }
  dir_ = options.workDir;
  // Outside the working directory, which may not be writable.
  char pattern[] = "/tmp/tilemarch-out-XXXXXX";
  close(mkstemp(pattern));
  outPath_ = pattern;
  std::vector<std::string> argStore{path};
  argStore.insert(argStore.end(), options.args.begin(), options.args.end());
  pid_ = fork();
  if (pid_ == 0) {
    for (const auto &[name, value] : options.env) {
      if (value.empty())
        unsetenv(name.c_str());
      else
        setenv(name.c_str(), value.c_str(), 1);
    }
    if (chdir(dir_.c_str()) != 0) _exit(126);
    if (!freopen("/dev/null", "r", stdin) || !freopen(outPath_.c_str(), "w", stdout)) _exit(126);
    std::vector<char *> argv;
    for (auto &arg : argStore) argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
  }
}

Program::~Program() {
  if (pid_ > 0 && !exited_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  unlink(outPath_.c_str());
}

std::string Program::Output() const { return ReadFile(outPath_); }

bool Program::WaitForOutput(const std::string &text, std::chrono::milliseconds limit) const {
  return WaitForOutput(std::regex(std::regex_replace(text, std::regex(R"([\^$.|?*+()\[\]{}\\])"), R"(\$&)")), limit);
}

bool Program::WaitForOutput(const std::regex &pattern, std::chrono::milliseconds limit) const {
  for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;
       std::this_thread::sleep_for(20ms))
    if (std::regex_search(Output(), pattern)) return true;
  return false;
}

int Program::WaitForExit(std::chrono::milliseconds limit) {
  for (auto end = std::chrono::steady_clock::now() + limit;; std::this_thread::sleep_for(20ms)) {
    int status = 0;
    if (!exited_ && waitpid(pid_, &status, WNOHANG) == pid_) {
      exited_ = true;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    if (exited_ || std::chrono::steady_clock::now() >= end) return -1;
  }
}

void Program::Signal(int signal) const {
  if (pid_ > 0 && !exited_) kill(pid_, signal);
}

std::string Program::WindowId() const {
  std::string id;
  for (int i = 0; i < 400 && id.empty(); ++i) {
    id = Shell("xdotool search --pid " + std::to_string(pid_) + " --name '^Tilemarch$' 2>/dev/null | tail -n1");
    if (id.empty()) std::this_thread::sleep_for(50ms);
  }
  return id;
}

int Program::CloseWindow() {
  int status = -1;
  for (int attempt = 0; attempt < 20 && status == -1; ++attempt) {
    std::string id = WindowId();
    if (!id.empty()) Shell("wmctrl -i -c " + id);
    status = WaitForExit(1s);
  }
  return status;
}

int RunProcess(const std::string &program, const std::string &arg, std::string *out, std::string *err) {
  TempDir dir;
  const int status = std::system(
      ("exec '" + program + "' '" + arg + "' </dev/null >" + (dir / "out") + " 2>" + (dir / "err")).c_str());
  if (out) *out = ReadFile(dir / "out");
  if (err) *err = ReadFile(dir / "err");
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int CountMatches(const std::string &text, const std::regex &pattern) {
  return static_cast<int>(
      std::distance(std::sregex_iterator(text.begin(), text.end(), pattern), std::sregex_iterator()));
}
