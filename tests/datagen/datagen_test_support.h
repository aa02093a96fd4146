// Shared by the data tests: runs the generator (built beside the game) into a
// private directory once per test process, and reads its pictures back.
#pragma once

#include <string>
#include <vector>

#include "support/files.h"

// Runs the generator with the arguments; its exit status (-1 if it could not run).
int RunGenerator(const std::string &arguments);
// A fresh data directory written by the generator for this test process
// (removed when the process ends). Empty if the generator failed.
const std::string &GeneratedData();
// A new empty directory below the process's private temporary directory.
std::string FreshDirectory(const std::string &name);

// A picture decoded by the game's own decoder, as 8-bit RGBA.
struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;
  bool Loaded() const { return width > 0; }
  const unsigned char *At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};
Picture ReadPicture(const std::string &path);

// One picture file of the game: name, cell size at multiplier 1, frame count.
struct PictureEntry {
  const char *name;
  int cellW, cellH, frames;
};
// The image table of the game's loader (the font is loaded as 16 x 16 cells).
const std::vector<PictureEntry> &PictureTable();
