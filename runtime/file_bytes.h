// The rest of an open file read into memory, for decoders that want it whole.
#pragma once

#include <cstdio>
#include <vector>

inline std::vector<unsigned char> ReadRestOfFile(FILE *file) {
  std::vector<unsigned char> bytes;
  unsigned char block[65536];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, file)) > 0) bytes.insert(bytes.end(), block, block + n);
  return bytes;
}
