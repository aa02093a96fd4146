// A host for fuzz targets whose every file holds the current input, so the
// product's own loaders read it through their usual file path.
#pragma once

#include <cstdio>

#include "host/game.h"

class FuzzHost : public VexGame {
public:
  void Hold(const unsigned char *bytes, size_t size) { bytes_ = bytes, size_ = size; }
  // fmemopen refuses a size of 0, so an empty input is a file that cannot be opened.
  FILE *OpenFile(const String &, const String &) override {
    return size_ ? fmemopen(const_cast<unsigned char *>(bytes_), size_, "rb") : nullptr;
  }

private:
  const unsigned char *bytes_ = nullptr;
  size_t size_ = 0;
};
