// The sound match by which the windowed game test hears the game: the sliding
// sums it is built on agree with sums taken one by one across the joins of
// its transform blocks, and a sound is found where it was mixed into a
// capture but not in the noise around it.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "support/correlation.h"
#include "support/wave.h"

namespace {

std::vector<float> Noise(size_t n, unsigned seed, float level) {
  std::mt19937 random(seed);
  std::normal_distribution<float> noise(0, level);
  std::vector<float> out(n);
  for (float &v : out) v = noise(random);
  return out;
}

TEST(SoundMatch, SlidingSumsAgreeWithDirectOnesAcrossBlockJoins) {
  // A reference of 700 values is searched in blocks of 4096: 3397 lags each.
  for (auto [refSize, signalSize] : {std::pair<size_t, size_t>{1, 5},
                                     {700, 700},
                                     {700, 701},
                                     {700, 3397 + 699},
                                     {700, 2 * 3397 + 700},
                                     {700, 5 * 3397 + 703},
                                     {2000, 9000}}) {
    std::vector<float> ref = Noise(refSize, 1, 1), signal = Noise(signalSize, 2, 1);
    std::vector<double> dots = SlidingDots(ref, signal);
    ASSERT_EQ(dots.size(), signalSize - refSize + 1) << refSize << " in " << signalSize;
    for (size_t lag = 0; lag < dots.size(); ++lag) {
      double direct = 0;
      for (size_t n = 0; n < refSize; ++n) direct += static_cast<double>(ref[n]) * signal[lag + n];
      ASSERT_NEAR(dots[lag], direct, 1e-9 * refSize) << "lag " << lag << " of " << refSize << " in " << signalSize;
    }
  }
  EXPECT_TRUE(SlidingDots(Noise(10, 1, 1), Noise(9, 2, 1)).empty());
  EXPECT_TRUE(SlidingDots({}, Noise(9, 2, 1)).empty());
}

TEST(SoundMatch, ASoundIsFoundWhereItWasMixedInAndNotInNoise) {
  // 0.2 s of decaying noise at 8 kHz, mixed at half its level into both
  // channels of two seconds of quieter noise.
  Wave sound{1, 8000, Noise(1600, 3, 0.5f)};
  for (size_t i = 0; i < sound.samples.size(); ++i) sound.samples[i] *= std::exp(-static_cast<float>(i) / 400);
  Wave quiet{2, 8000, Noise(2 * 16000, 4, 0.01f)}, heard = quiet;
  for (size_t i = 0; i < sound.samples.size(); ++i)
    for (size_t c = 0; c < 2; ++c) heard.samples[2 * (9001 + i) + c] += 0.5f * sound.samples[i];
  EXPECT_GT(BestMatch(sound, heard), 0.99f);
  EXPECT_LT(BestMatch(sound, quiet), 0.2f);
  EXPECT_EQ(BestMatch(sound, Wave{2, 8000, std::vector<float>(2 * 16000)}), 0) << "silence";
  EXPECT_EQ(BestMatch(sound, Wave{2, 8000, std::vector<float>(2 * 700)}), 0) << "shorter than the reference";
}

} // namespace
