// FileSource: how the loaders of pictures, sounds and data reach the files the
// game names by data paths. The host is one: it maps those paths to files and
// hands itself to each loader module when it comes up.
#pragma once

#include <cstdio>
#include <memory>

#include "runtime/string.h"

class FileSource {
public:
  virtual ~FileSource() = default;
  // The open file, or null when the path maps to none or it cannot be opened.
  virtual FILE *OpenFile(const String &path, const String &mode) = 0;
  // The whole file and its length in bytes, or null when it cannot be opened.
  virtual std::unique_ptr<unsigned char[]> LoadData(const String &path, int *length) = 0;
};
