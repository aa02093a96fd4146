// The generated data as the game relies on it: the same files on every run,
// pictures that load with the loader's cells and fit where the game draws them,
// picture tiles that show their puzzles, sounds and a tune that decode.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

#include "audio/audio_data.h"
#include "game/assets.h"
#include "game/levels/levels.h"
#include "graphics/graphics.h"
#include "graphics/image_data.h"
#include "host/game.h"
#include "support/files.h"

namespace fs = std::filesystem;

namespace {

int Generate(const std::string &arguments) {
  return ShellStatus("'" + BuildDir() + "/tools/datagen/tilemarch_datagen' " + arguments + " 2>/dev/null");
}

// The generator's output for this process, made once.
const TempDir &Data() {
  static TempDir dir;
  static bool made = Generate("'" + dir.Path() + "/data'") == 0;
  EXPECT_TRUE(made) << "the generator failed";
  return dir;
}
std::string DataDir() { return Data() / "data"; }

std::map<std::string, std::string> ReadTree(const std::string &dir) {
  std::map<std::string, std::string> files;
  for (const auto &entry : fs::recursive_directory_iterator(dir))
    if (entry.is_regular_file()) files[fs::relative(entry.path(), dir).string()] = ReadFile(entry.path());
  return files;
}

// A picture decoded by the game's decoder; At(x, y)[0..3] is RGBA (grey and
// grey-alpha spread out).
struct Picture {
  int width = 0, height = 0, cellW = 0, cellH = 0;
  std::vector<unsigned char> rgba;
  Picture(const std::string &path, int cw = 1, int ch = 1) : cellW(cw), cellH(ch) {
    int depth = 0;
    PixelData p = LoadImageData(String::FromUtf8(path), &width, &height, &depth);
    if (!p) width = height = 0;
    for (int i = 0; i < width * height; ++i) {
      const unsigned char *s = p.get() + i * depth;
      rgba.insert(rgba.end(), {s[0], s[depth < 3 ? 0 : 1], s[depth < 3 ? 0 : 2],
                               depth % 2 ? static_cast<unsigned char>(255) : s[depth - 1]});
    }
  }
  const unsigned char *At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
  // Pixel (x, y) of frame i, frames in rows of cells.
  const unsigned char *In(int i, int x, int y) const {
    int columns = width / cellW;
    return At(i % columns * cellW + x, i / columns * cellH + y);
  }
  double Luma(int i, int x, int y) const {
    const unsigned char *p = In(i, x, y);
    return (0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]) / 255;
  }
  // Mean alpha over frame i and its alpha-weighted centre in cells of size cell.
  std::array<double, 3> Ink(int i, int m) const {
    double sum = 0, sx = 0, sy = 0;
    for (int y = 0; y < cellH; ++y)
      for (int x = 0; x < cellW; ++x) {
        double a = In(i, x, y)[3] / 255.0;
        sum += a, sx += a * (x + 0.5), sy += a * (y + 0.5);
      }
    return {sum / (cellW * cellH), sum > 0 ? sx / sum / m : 0, sum > 0 ? sy / sum / m : 0};
  }
};

// The pictures the game's loader asks for: name, cell at multiplier 1, frames.
struct Entry {
  std::string name;
  int w, h, frames;
};
std::vector<Entry> Table() {
  std::istringstream rows("blocks 12 12 25 BadgesA 64 64 64 common/circle 256 256 4 common/light 32 32 4 "
                          "fonts/shadow_editundo 16 16 128 common/PlinthLogo 256 256 1 common/dpad 32 32 16 "
                          "common/Buttons 64 64 16 parts 8 8 256 common/icons 32 32 16 logo 256 128 1 menu 256 256 4");
  std::vector<Entry> t;
  for (Entry e; rows >> e.name >> e.w >> e.h >> e.frames;) t.push_back(e);
  for (int sheet = 1; sheet <= 14; ++sheet) t.push_back({"sheet" + std::to_string(sheet), 64, 64, 16});
  return t;
}
Picture Read(const std::string &name, int m, int cw, int ch) {
  return Picture(DataDir() + "/" + PicturePath(String::FromUtf8(name), m).ToUtf8(), cw * m, ch * m);
}
TEST(Generation, SameBytesEveryRunAsTheBuildsCopy) {
  TempDir again;
  // The build's own copy is another run; without it, run again.
  std::string other = BuildDir() + "/data";
  if (!fs::exists(other) && Generate("'" + (other = again / "data") + "'") != 0) FAIL() << "the second run failed";
  auto a = ReadTree(DataDir());
  // 26 pictures at three resolutions, the default font, five effects and the tune.
  EXPECT_EQ(a.size(), 26u * 3 + 1 + 5 + 1);
  EXPECT_TRUE(a == ReadTree(other)) << "the runs differ or the build's data is stale";
}

TEST(Loading, EveryPictureAndFontLoadsWithTheLoadersCells) {
  VexGame host; // files are opened through the host, as in the game
  gxtkGraphics device(nullptr);
  vex_graphics_SetGraphicsDevice(&device);
  for (const Entry &e : Table())
    for (int m : {1, 2, 4}) {
      SCOPED_TRACE(e.name + " x" + std::to_string(m));
      // A frame outside the surface would end this process with a runtime error.
      auto image =
          vex_graphics_LoadImage2(String::FromUtf8(DataDir() + "/" + PicturePath(String::FromUtf8(e.name), m).ToUtf8()),
                                  e.w * m, e.h * m, e.frames, c_Image::MidHandle);
      ASSERT_NE(image, nullptr);
      EXPECT_EQ(image->p_Frames(), e.frames);
      // No surface space is wasted: the last frame ends at the surface's corner.
      const c_Frame &last = image->m_frames[e.frames - 1];
      EXPECT_EQ(std::pair(last.m_x + e.w * m, last.m_y + e.h * m),
                std::pair(image->m_surface->Width(), image->m_surface->Height()));
    }
  vex_graphics_SetGraphicsDevice(nullptr);
}

TEST(Loading, EffectsAreShortMonoSoundsAndTheTuneAMinuteOfStereo) {
  VexGame host;
  for (int slot : {1, 95, 96, 98, 99}) {
    SCOPED_TRACE(slot);
    auto a = LoadAudioFile(String::FromUtf8(DataDir() + "/") + SfxPath(slot));
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(std::vector<int>({a->channels, a->format, a->hertz}), std::vector<int>({1, 2, 44100}));
    EXPECT_GT(a->length, 44100 / 50);
    EXPECT_LT(a->length, 44100 * 2);
  }
  auto a = LoadAudioFile(String::FromUtf8(DataDir() + "/sfx/testmusic.ogg"));
  ASSERT_TRUE(a.has_value());
  EXPECT_EQ(std::vector<int>({a->channels, a->format, a->hertz}), std::vector<int>({2, 2, 44100}));
  EXPECT_GE(a->length, 30 * 44100);
  EXPECT_LE(a->length, 60 * 44100);
}

TEST(Content, EveryPictureTileIsItsPuzzlesSolvedPicture) {
  for (int m : {1, 2, 4})
    for (int sheet = 1; sheet <= 14; ++sheet) {
      Picture p = Read("sheet" + std::to_string(sheet), m, 64, 64);
      ASSERT_GT(p.width, 0);
      for (int frame = 0; frame < 16; ++frame) {
        int puzzle = (sheet - 1) * 16 + frame + 1;
        std::string cells = p_GetLevDat(puzzle).ToNarrow();
        ASSERT_EQ(cells.size(), 64u);
        for (int cell = 0; cell < 64; ++cell) {
          // The middle of each 8 x 8 block: dark ink for a black tile, light paper for white.
          int x = ((cell % 8) * 8 + 4) * m, y = ((cell / 8) * 8 + 4) * m;
          EXPECT_EQ(p.In(frame, x, y)[3], 255) << "puzzle " << puzzle;
          EXPECT_EQ(p.Luma(frame, x, y) < 0.65, cells[size_t(cell)] == '1') << "puzzle " << puzzle << " cell " << cell;
        }
      }
    }
}

TEST(Content, FramesFitWhereTheGameDrawsThem) {
  for (int m : {1, 2, 4}) {
    SCOPED_TRACE("x" + std::to_string(m));
    // The gear's three layers, the selection ring, the effect circles and
    // lights turn about their middle.
    const struct {
      const char *name;
      int cell;
      std::vector<int> frames;
    } turned[] = {{"common/Buttons", 64, {8, 9, 10}},
                  {"common/icons", 32, {6}},
                  {"common/circle", 256, {0, 3}},
                  {"common/light", 32, {0, 1}}};
    for (const auto &t : turned)
      for (int f : t.frames) {
        auto ink = Read(t.name, m, t.cell, t.cell).Ink(f, m);
        EXPECT_NEAR(ink[1], t.cell / 2.0, 0.25) << t.name << " frame " << f;
        EXPECT_NEAR(ink[2], t.cell / 2.0, 0.25) << t.name << " frame " << f;
      }
    // How many pixels of frame f in the region have an alpha that passes.
    auto count = [](const Picture &p, int f, auto region, auto alpha) {
      int n = 0;
      for (int y = 0; y < p.cellH; ++y)
        for (int x = 0; x < p.cellW; ++x) n += region(x + 0.5, y + 0.5) && alpha(p.In(f, x, y)[3]);
      return n;
    };
    auto some = [](int a) { return a > 0; };
    // The selection ring, at 2.5 times over a button at 2 times, leaves the
    // button's 11.4 units around the middle clear.
    Picture icons = Read("common/icons", m, 32, 32);
    EXPECT_EQ(count(
                  icons, 6, [&](double x, double y) { return std::hypot(x - 16 * m, y - 16 * m) < 11.5 * m; }, some),
              0);
    // Glyphs stay off their cell's edge: a turned glyph would show a neighbour's.
    Picture font = Read("fonts/shadow_editundo", m, 16, 16);
    auto edge = [&](double x, double y) { return std::min({x, y, 16 * m - x, 16 * m - y}) < 1; };
    for (int f = 0; f < 128; ++f) EXPECT_EQ(count(font, f, edge, some), 0) << "glyph " << f;
  }
  // Letters are centred on the pen (their width is the spacing test's).
  Picture font = Read("fonts/shadow_editundo", 4, 16, 16);
  for (char c : std::string("AHOnoxz")) {
    int left = 64, right = -1;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x)
        if (font.In(c - 32, x, y)[3] > 128 && font.Luma(c - 32, x, y) > 0.5)
          left = std::min(left, x), right = std::max(right, x);
    EXPECT_NEAR((left + right + 1) / 2.0, 32, 4) << c;
  }
  // The default font keeps its padding columns clear.
  Picture lumen(DataDir() + "/lumen_font.png");
  int stride = lumen.width / 96, inked = 0;
  for (int f = 0; f < 96; ++f)
    for (int y = 0; y < lumen.height; ++y) {
      EXPECT_EQ(lumen.At(f * stride, y)[3], 0) << "frame " << f << "'s left column";
      EXPECT_EQ(lumen.At(f * stride + stride - 1, y)[3], 0) << "frame " << f << "'s right column";
      for (int x = 1; x < stride - 1; ++x) inked += f == 'A' - 32 && lumen.At(f * stride + x, y)[3] > 128;
    }
  EXPECT_GT(inked, 8);
}

} // namespace
