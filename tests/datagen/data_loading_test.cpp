// The generated data as the game loads it: every picture of the loader's table
// at the three resolutions and both fonts through the graphics module, every
// sound and the tune through the audio loader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "audio/audio_data.h"
#include "datagen_test_support.h"
#include "game/assets.h"
#include "graphics/graphics.h"
#include "graphics/graphics_device.h"
#include "graphics/image.h"
#include "host/game.h"

namespace {

class DataLoading : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_FALSE(GeneratedData().empty()) << "the generator failed";
    vex_graphics_SetGraphicsDevice(&device_);
  }
  void TearDown() override { vex_graphics_SetGraphicsDevice(nullptr); }
  static String InData(const String &relative) { return String::FromUtf8(GeneratedData()) + "/" + relative; }
  VexGame host_; // files are opened through the host, as in the game
  gxtkGraphics device_;
};

TEST_F(DataLoading, EveryPictureLoadsAtEveryResolutionWithTheTableCells) {
  for (const PictureEntry &entry : PictureTable()) {
    for (int m : {1, 2, 4}) {
      SCOPED_TRACE(std::string(entry.name) + " x" + std::to_string(m));
      String path = InData(PicturePath(String(entry.name), m));
      // A frame outside the surface would end this process with a runtime error.
      auto image = vex_graphics_LoadImage2(path, entry.cellW * m, entry.cellH * m, entry.frames, c_Image::MidHandle);
      ASSERT_NE(image, nullptr);
      EXPECT_EQ(image->p_Frames(), entry.frames);
      EXPECT_EQ(image->p_Width(), entry.cellW * m);
      EXPECT_EQ(image->p_Height(), entry.cellH * m);
      EXPECT_FLOAT_EQ(image->p_HandleX(), entry.cellW * m * 0.5f);
      // No surface space is wasted: the last frame ends at the surface's corner.
      const c_Frame &last = image->m_frames[entry.frames - 1];
      EXPECT_EQ(last.m_x + entry.cellW * m, image->m_surface->Width());
      EXPECT_EQ(last.m_y + entry.cellH * m, image->m_surface->Height());
    }
  }
}

TEST_F(DataLoading, BothFontsLoadAsTheGameAndTheFrameworkLoadThem) {
  for (int m : {1, 2, 4}) {
    auto font = vex_graphics_LoadImage2(InData(PicturePath("fonts/shadow_editundo", m)), 16 * m, 16 * m, 128,
                                        c_Image::MidHandle);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->p_Frames(), 128);
  }
  // The default font: 96 frames side by side, one padding column each side.
  auto lumen = vex_graphics_LoadImage(InData("lumen_font.png"), 96, c_Image::XPadding);
  ASSERT_NE(lumen, nullptr);
  EXPECT_EQ(lumen->m_surface->Width() % 96, 0);
  EXPECT_GE(lumen->p_Width(), 5);
  EXPECT_GE(lumen->p_Height(), 10);
  EXPECT_EQ(lumen->m_frames[95].m_x, 95 * (lumen->p_Width() + 2) + 1);
}

// Largest step between neighbouring samples of one channel, as a fraction of full scale.
double LargestStep(const AudioData &a, int channel, int from, int to) {
  auto *s = reinterpret_cast<const int16_t *>(a.data.get());
  double best = 0;
  for (int i = from + 1; i < to; ++i)
    best = std::max(best, std::fabs(s[i * a.channels + channel] - s[(i - 1) * a.channels + channel]) / 32768.0);
  return best;
}

using DataSounds = DataLoading;

TEST_F(DataSounds, EffectsAreShortCleanMono16BitPcm) {
  for (int slot : {1, 95, 96, 98, 99}) {
    SCOPED_TRACE(slot);
    std::optional<AudioData> a = LoadAudioFile(InData(SfxPath(slot)));
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->channels, 1);
    EXPECT_EQ(a->format, 2);
    EXPECT_EQ(a->hertz, 44100);
    EXPECT_GT(a->length, 44100 / 50);
    EXPECT_LT(a->length, 44100 * 2);
    auto *s = reinterpret_cast<const int16_t *>(a->data.get());
    // Starts and ends at silence (no click), loud enough to hear, never clipped.
    EXPECT_LE(std::abs(s[0]), 64);
    EXPECT_LE(std::abs(s[a->length - 1]), 64);
    int peak = 0;
    for (int i = 0; i < a->length; ++i) peak = std::max(peak, std::abs(static_cast<int>(s[i])));
    EXPECT_GT(peak, 32768 * 3 / 10);
    EXPECT_LT(peak, 32768 * 95 / 100);
  }
}

TEST_F(DataSounds, TheTuneDecodesToHalfAMinuteAndLoopsWithoutASeam) {
  std::optional<AudioData> a = LoadAudioFile(InData("sfx/testmusic.ogg"));
  ASSERT_TRUE(a.has_value());
  EXPECT_EQ(a->channels, 2);
  EXPECT_EQ(a->format, 2);
  EXPECT_EQ(a->hertz, 44100);
  double seconds = static_cast<double>(a->length) / a->hertz;
  EXPECT_GE(seconds, 30);
  EXPECT_LE(seconds, 60);
  // The jump from the last sample back to the first is no larger than the
  // music's own steps around it.
  auto *s = reinterpret_cast<const int16_t *>(a->data.get());
  for (int c = 0; c < 2; ++c) {
    double seam = std::fabs(s[c] - s[(a->length - 1) * 2 + c]) / 32768.0;
    double around = std::max(LargestStep(*a, c, 0, 2048), LargestStep(*a, c, a->length - 2048, a->length));
    EXPECT_LE(seam, around * 1.5 + 0.002) << "channel " << c;
  }
}

} // namespace
