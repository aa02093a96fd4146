// The game's random generator (see random.h).
#include "game/levels/random.h"

#include <cmath>
#include <cstdint>
#include <limits>

int vex_random_Seed = 1234;

namespace {
constexpr int kStirSteps = 21;
int (*clock)() = nullptr;
} // namespace

void SetRandomClock(int (*millisecs)()) { clock = millisecs; }

int RandomStep(int seed) {
  uint32_t s = static_cast<uint32_t>(seed) * 1664525u + 1013904223u;
  return static_cast<int>(s);
}

int p_SeedRnd(int seed) {
  int value = seed != kClockSeed ? seed : clock ? clock() : 0;
  for (int i = 0; i < kStirSteps; ++i) value = RandomStep(value);
  vex_random_Seed = value;
  return 0;
}

float RandomUnit() {
  vex_random_Seed = RandomStep(vex_random_Seed);
  // The top 24 bits are exact in a float.
  return static_cast<float>(static_cast<uint32_t>(vex_random_Seed) >> 8) * (1.0f / 16777216.0f);
}

int p_Rand(float low, float high) {
  const float r = RandomUnit();
  const float span = (high + 0.99f) - low;
  const float scaled = r * span;
  const float shifted = scaled + low;
  const float v = std::floor(shifted);
  // Bounds beyond the int range saturate instead of overflowing the conversion.
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0f) return std::numeric_limits<int>::max();
  if (v <= -2147483648.0f) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}
