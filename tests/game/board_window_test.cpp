// A puzzle in the real game under X: the game object on the framework's own
// window, input and audio (tests/board_probe, which starts puzzle 5 once its
// loading is done), tiles marked with real clicks, the marks checked on
// screenshots, and the fill sound found in what OpenAL Soft's wave backend
// wrote out. Needs a display, xdotool, imagemagick, and the generated data in
// the build directory.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/program.h"
#include "support/xwindow.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Mono samples in -1..1 from the data chunk of a 16-bit PCM RIFF WAVE file,
// starting a number of bytes into it. A data size never filled in (the
// writer did not close the file) runs to the end of the file.
std::vector<float> ReadWave(const std::string &bytes, int *rate, size_t skipBytes = 0) {
  auto le = [&](size_t at, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return v;
  };
  std::vector<float> samples;
  size_t channels = 0;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    std::string tag = bytes.substr(at, 4);
    size_t size = le(at + 4, 4), body = at + 8;
    if (tag == "fmt " && body + 16 <= bytes.size()) {
      channels = le(body + 2, 2);
      *rate = static_cast<int>(le(body + 4, 4));
      if (le(body + 14, 2) != 16) return samples;
    } else if (tag == "data" && channels > 0) {
      size_t end = size == 0 || size == 0xFFFFFFFFu || body + size > bytes.size() ? bytes.size() : body + size;
      size_t frame = 2 * channels;
      for (size_t f = body + skipBytes / frame * frame; f + frame <= end; f += frame) {
        float sum = 0;
        for (size_t c = 0; c < channels; ++c) sum += static_cast<float>(static_cast<int16_t>(le(f + 2 * c, 2)));
        samples.push_back(sum / 32768.0f / static_cast<float>(channels));
      }
      return samples;
    }
    at = body + size + (size & 1);
  }
  return samples;
}

// The largest normalised correlation of the first 0.1 s of a sound with any
// stretch of a capture at the same rate.
float BestMatch(std::vector<float> sound, const std::vector<float> &capture) {
  sound.resize(std::min<size_t>(sound.size(), 4410));
  double energy = 0, window = 0;
  for (float v : sound) energy += static_cast<double>(v) * v;
  if (energy <= 0 || capture.size() < sound.size()) return 0;
  for (size_t n = 0; n < sound.size(); ++n) window += static_cast<double>(capture[n]) * capture[n];
  float best = 0;
  for (size_t lag = 0; lag + sound.size() <= capture.size(); ++lag) {
    if (lag > 0) {
      window += static_cast<double>(capture[lag + sound.size() - 1]) * capture[lag + sound.size() - 1];
      window -= static_cast<double>(capture[lag - 1]) * capture[lag - 1];
    }
    if (window <= 1e-9) continue;
    double dot = 0;
    for (size_t n = 0; n < sound.size(); ++n) dot += static_cast<double>(sound[n]) * capture[lag + n];
    best = std::max(best, static_cast<float>(dot / std::sqrt(energy * window)));
  }
  return best;
}

// Tile centres of the board at 640 x 480.
int TileX(int x) { return 208 + 32 * x; }
int TileY(int y) { return 236 + 32 * y; }

TEST(BoardWindow, ClickedTilesTurnBlackAndTheFillIsHeard) {
  if (auto why = DisplayMissing("xdotool import"); !why.empty()) GTEST_SKIP() << why;
  std::string build = BuildDir();
  if (!fs::exists(build + "/tests/board_probe") || !fs::exists(build + "/data/sfx/098.wav"))
    GTEST_SKIP() << "the probe and the game data are built into " << build
                 << " by the board_probe and tilemarch_data targets";

  // The game finds its data beside its executable: a copy of the probe sits
  // next to a link to the build's data.
  TempDir dir;
  fs::copy_file(build + "/tests/board_probe", dir / "board_probe");
  fs::create_directory_symlink(fs::absolute(build + "/data"), dir / "data");
  std::string capture = dir / "capture.wav";
  WriteFile(dir / "alsoft.conf", "[general]\ndrivers = wave\nchannels = stereo\nfrequency = 44100\n"
                                 "sample-type = int16\n[wave]\nfile = " +
                                     capture + "\n");
  Program game(dir / "board_probe", {dir.Path(), {}, {{"ALSOFT_CONF", dir / "alsoft.conf"}}});
  std::string id = game.WindowId();
  ASSERT_FALSE(id.empty());
  ASSERT_TRUE(game.WaitForOutput("puzzle started")) << game.Output();
  Activate(id);
  std::this_thread::sleep_for(1000ms);
  Shot before(id);
  ASSERT_FALSE(before.Empty());

  // Everything written from here on comes after any sound of the start.
  std::error_code err;
  uintmax_t heardFrom = fs::file_size(capture, err);
  ASSERT_FALSE(err) << "OpenAL Soft wrote no capture file";
  for (int x : {0, 1}) {
    Click(id, TileX(x), TileY(0));
    std::this_thread::sleep_for(300ms);
  }
  Shell("xdotool mousemove --window " + id + " 600 20");
  std::this_thread::sleep_for(800ms);
  Shot after(id);
  ASSERT_FALSE(after.Empty());

  // The clicked tiles are much darker than before; one the clicks did not
  // touch stays as it was.
  for (int x : {0, 1})
    EXPECT_GT(before.Brightness(TileX(x), TileY(0)) - after.Brightness(TileX(x), TileY(0)), 100) << x;
  EXPECT_LT(std::abs(before.Brightness(TileX(6), TileY(0)) - after.Brightness(TileX(6), TileY(0))), 30);
  EXPECT_GT(after.Brightness(TileX(6), TileY(0)) - after.Brightness(TileX(0), TileY(0)), 100);

  PressKey(id, "F4");
  EXPECT_EQ(game.WaitForExit(), 0);

  // Keep only what was written after the start, less a little for the
  // writer's buffering.
  std::string bytes = ReadFile(capture);
  size_t dataStart = bytes.find("data") + 8;
  size_t skip = heardFrom > dataStart + 8192 ? static_cast<size_t>(heardFrom) - dataStart - 8192 : 0;
  int heardRate = 0, fillRate = 0;
  std::vector<float> heard = ReadWave(bytes, &heardRate, skip);
  std::vector<float> fill = ReadWave(ReadFile(build + "/data/sfx/098.wav"), &fillRate);
  ASSERT_FALSE(fill.empty());
  ASSERT_EQ(heardRate, fillRate);
  EXPECT_GT(BestMatch(fill, heard), 0.6f);
}

} // namespace
