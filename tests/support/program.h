// A program under test started as a real process: its own working directory,
// standard input closed, standard output in a file, and a window it may open.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/wait.h"

class Program {
public:
  struct Options {
    // The working directory; empty gives the program a fresh temporary one.
    std::string workDir;
    std::vector<std::string> args;
    // Variables set (or, with an empty value, removed) for the program.
    std::vector<std::pair<std::string, std::string>> env;
  };

  explicit Program(const std::string &path, Options options = {});
  // A program still running is killed.
  ~Program();

  pid_t Pid() const { return pid_; }
  const std::string &Dir() const { return dir_; }
  // Everything the program has written to standard output so far.
  std::string Output() const;
  // The exit status (128 + signal when killed by one), or -1 when still running.
  int WaitForExit(std::chrono::milliseconds limit = std::chrono::seconds(10));
  void Signal(int signal) const;

  // The id of the program's newest top-level window titled "Tilemarch" (a
  // window re-opened for full screen gets a new id); empty if none appears.
  std::string WindowId() const;
  // Asks the window manager to close the window until the program ends (a
  // request before it took the window on is lost); the exit status.
  int CloseWindow();

private:
  std::unique_ptr<TempDir> ownDir_;
  std::string dir_, outPath_;
  pid_t pid_ = -1;
  bool exited_ = false;
};

int CountMatches(const std::string &text, const std::regex &pattern);
