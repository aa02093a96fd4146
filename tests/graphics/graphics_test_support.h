// Shared by the graphics tests: test pictures written as PNG files.
#pragma once

#include <string>
#include <vector>

#include "support/files.h"

// Writes a PNG of width x height pixels with channels bytes each.
void WritePng(const std::string &path, int width, int height, int channels, const std::vector<unsigned char> &pixels);
