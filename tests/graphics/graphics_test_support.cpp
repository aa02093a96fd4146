// Helpers shared by the graphics tests.
#include "graphics_test_support.h"

#include <stb/stb_image_write.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tm-graphics-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  dir_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

void WritePng(const std::string &path, int width, int height, int channels, const std::vector<unsigned char> &pixels) {
  if (!stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels))
    throw std::runtime_error("cannot write " + path);
}

void WriteBytes(const std::string &path, const std::string &bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string ReadBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

bool HaveConvert() { return std::system("command -v convert >/dev/null 2>&1") == 0; }

bool RunConvert(const std::string &arguments) {
  std::string command = "convert " + arguments + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}
