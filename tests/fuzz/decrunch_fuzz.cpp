// Fuzz target: the run-length decoder on any text of 16-bit units.
#include <cstdlib>

#include "game/levels/levels.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size) {
  std::u16string units;
  for (size_t i = 0; i + 1 < size; i += 2) units.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  const int pairs = static_cast<int>(units.size()) / 2;
  // Each pair stands for at most 52 units.
  if (p_Decrunch(String(std::move(units))).Length() > 52 * pairs) std::abort();
  return 0;
}
