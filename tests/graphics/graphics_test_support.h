// Helpers shared by the graphics tests: scratch files and test pictures.
#pragma once

#include <string>
#include <vector>

// A fresh directory under the system's temporary directory, removed with its
// files when the object goes.
class ScratchDir {
public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir &) = delete;
  ScratchDir &operator=(const ScratchDir &) = delete;
  std::string Path(const std::string &name) const { return dir_ + "/" + name; }

private:
  std::string dir_;
};

// Writes a PNG of width x height pixels with channels bytes each.
void WritePng(const std::string &path, int width, int height, int channels, const std::vector<unsigned char> &pixels);
void WriteBytes(const std::string &path, const std::string &bytes);
std::string ReadBytes(const std::string &path);

// True when ImageMagick's convert is installed.
bool HaveConvert();
// Runs convert with the arguments (a shell word list); true on success.
bool RunConvert(const std::string &arguments);
