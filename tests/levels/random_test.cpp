// The game's random generator: exact sequences (the colour of every puzzle
// hangs on them), bounds, and seeding from the clock.
#include <gtest/gtest.h>

#include <vector>

#include "game/random.h"
#include "host/app.h"
#include "host/game.h"

namespace {

std::vector<int> Draws(int count, float low, float high) {
  std::vector<int> out;
  for (int i = 0; i < count; ++i) out.push_back(p_Rand(low, high));
  return out;
}

// Read before any test draws.
const int kInitialSeed = vex_random_Seed;

class ClockGame : public VexGame {
public:
  int Millisecs() override { return 5000; }
};

} // namespace

TEST(Random, StartsFromTheFixedSeedAndWrapsAt32Bits) {
  EXPECT_EQ(kInitialSeed, 1234);
  vex_random_Seed = 1234;
  EXPECT_EQ(Draws(10, 0, 100), (std::vector<int>{72, 20, 75, 34, 81, 29, 24, 17, 26, 47}));
  EXPECT_EQ(RandomStep(0), 1013904223);
  EXPECT_EQ(RandomStep(-1), static_cast<int>(1013904223u - 1664525u));
  EXPECT_EQ(RandomStep(2147483647), static_cast<int>(2147483647u * 1664525u + 1013904223u));
}

TEST(Random, SeedingStirsTheSeedAndFixesTheSequence) {
  EXPECT_EQ(p_SeedRnd(1), 0);
  EXPECT_EQ(vex_random_Seed, 927463856);
  EXPECT_EQ(Draws(8, 0, 360), (std::vector<int>{37, 25, 115, 46, 255, 210, 136, 94}));
  p_SeedRnd(224);
  EXPECT_EQ(vex_random_Seed, 1410207603);
  EXPECT_EQ(Draws(8, 0, 360), (std::vector<int>{222, 192, 111, 111, 83, 84, 157, 310}));
  vex_random_Seed = 1234;
  EXPECT_EQ(Draws(10, -5, 5), (std::vector<int>{2, -3, 3, -2, 3, -2, -3, -4, -3, 0}));
}

TEST(Random, StaysWithinItsBoundsOverLongRuns) {
  p_SeedRnd(99);
  bool sawLow = false, sawHigh = false;
  for (int i = 0; i < 200000; ++i) {
    const int v = p_Rand(0, 360);
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 360);
    sawLow |= v == 0;
    sawHigh |= v == 360;
  }
  EXPECT_TRUE(sawLow && sawHigh);
  for (int i = 0; i < 100000; ++i) {
    const int v = p_Rand(-3, 2);
    ASSERT_GE(v, -3);
    ASSERT_LE(v, 2);
  }
  EXPECT_EQ(p_Rand(7, 7), 7);
}

TEST(Random, OutOfRangeBoundsSaturateInsteadOfOverflowing) {
  p_SeedRnd(5);
  for (int i = 0; i < 100; ++i) {
    EXPECT_GE(p_Rand(3e9f, 4e9f), 2147483647);
    EXPECT_LE(p_Rand(-4e9f, -3e9f), -2147483647 - 1);
  }
}

TEST(Random, TheClockSeedTakesTheMilliseconds) {
  ClockGame game;
  VexGame *saved = vex_app__game;
  vex_app__game = &game;
  p_SeedRnd(-37171650);
  const int fromClock = vex_random_Seed;
  vex_app__game = saved;
  p_SeedRnd(5000);
  EXPECT_EQ(fromClock, vex_random_Seed);
}
