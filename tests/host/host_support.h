// Helpers shared by the host tests: a temporary working directory and file
// reading.
#pragma once

#include <string>

// Creates a fresh directory under /tmp, makes it the working directory for the
// object's lifetime and removes it afterwards.
class TempWorkDir {
public:
  TempWorkDir();
  ~TempWorkDir();
  const std::string &Path() const { return path_; }

private:
  std::string path_, previous_;
};

std::string ReadFileBytes(const std::string &path);
void WriteFileBytes(const std::string &path, const std::string &bytes);

// Runs a program with arguments, standard input closed, and returns its exit
// status; standard output and error are captured into the strings.
int RunProcess(const std::string &program, const std::string &arg, std::string *out, std::string *err);

// The build directory the tests were configured in.
std::string BuildDir();
