// Shared by the graphics tests; see graphics_test_support.h.
#include "graphics_test_support.h"

#include <stb/stb_image_write.h>

#include <stdexcept>

void WritePng(const std::string &path, int width, int height, int channels, const std::vector<unsigned char> &pixels) {
  if (!stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels))
    throw std::runtime_error("cannot write " + path);
}
