// The generated data as the game relies on it: the generator writes the same
// files on every run, every picture loads with the cells the game's loader
// asks for, each frame holds its own drawing at every resolution and fits where
// the game draws it, the picture tiles show their puzzles, and the sounds and
// the tune decode as the game plays them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

#include "audio/audio_data.h"
#include "game/assets.h"
#include "game/levels.h"
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
bool BlankGlyph(const std::string &name, int frame) {
  return name == "fonts/shadow_editundo" && (frame == 0 || frame == 95 || frame == 111 || frame == 127);
}

TEST(Generation, SameBytesEveryRunAsTheBuildsCopyAndWrongUseFails) {
  TempDir again;
  // The build's own copy is another run; without it, run again.
  std::string other = BuildDir() + "/data";
  if (!fs::exists(other)) {
    ASSERT_EQ(Generate("'" + (other = again / "data") + "'"), 0);
  }
  auto a = ReadTree(DataDir());
  // 26 pictures at three resolutions, the default font, five effects and the tune.
  EXPECT_EQ(a.size(), 26u * 3 + 1 + 5 + 1);
  EXPECT_TRUE(a == ReadTree(other)) << "the runs differ or the build's data is stale";
  size_t total = 0;
  for (const auto &file : a) total += file.second.size();
  EXPECT_LT(total, 10u << 20);
  ASSERT_EQ(Generate("--preview '" + (again / "contact.png") + "'"), 0);
  Picture preview(again / "contact.png");
  EXPECT_GE(preview.width, 1024) << "wide enough for the -hd badge sheet";
  EXPECT_GE(preview.height, 14 * 512 / 4) << "tall enough for the tile sheets";
  EXPECT_EQ(Generate(""), 2);
  EXPECT_EQ(Generate("--preview"), 2);
  WriteFile(again / "file", "not a directory");
  EXPECT_EQ(Generate("'" + (again / "file") + "/data'"), 1);
}

TEST(Loading, EveryPictureAndFontLoadsWithTheLoadersCells) {
  VexGame host; // files are opened through the host, as in the game
  gxtkGraphics device;
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
      EXPECT_EQ(last.m_x + e.w * m, image->m_surface->Width());
      EXPECT_EQ(last.m_y + e.h * m, image->m_surface->Height());
    }
  // The default font: 96 frames side by side, one padding column each side.
  auto lumen = vex_graphics_LoadImage(String::FromUtf8(DataDir() + "/lumen_font.png"), 96, c_Image::XPadding);
  ASSERT_NE(lumen, nullptr);
  EXPECT_EQ(lumen->m_surface->Width() % 96, 0);
  EXPECT_GE(lumen->p_Width(), 5);
  EXPECT_GE(lumen->p_Height(), 10);
  vex_graphics_SetGraphicsDevice(nullptr);
}

TEST(Loading, EffectsAreShortCleanMonoAndTheTuneLoopsWithoutASeam) {
  VexGame host;
  for (int slot : {1, 95, 96, 98, 99}) {
    SCOPED_TRACE(slot);
    auto a = LoadAudioFile(String::FromUtf8(DataDir() + "/") + SfxPath(slot));
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(std::vector<int>({a->channels, a->format, a->hertz}), std::vector<int>({1, 2, 44100}));
    EXPECT_GT(a->length, 44100 / 50);
    EXPECT_LT(a->length, 44100 * 2);
    auto *s = reinterpret_cast<const int16_t *>(a->data.get());
    // Starts and ends at silence (no click), loud enough to hear, never clipped.
    EXPECT_LE(std::max(std::abs(s[0]), std::abs(s[a->length - 1])), 64);
    int peak = *std::max_element(s, s + a->length, [](int x, int y) { return std::abs(x) < std::abs(y); });
    EXPECT_GT(std::abs(peak), 32768 * 3 / 10);
    EXPECT_LT(std::abs(peak), 32768 * 95 / 100);
  }
  auto a = LoadAudioFile(String::FromUtf8(DataDir() + "/sfx/testmusic.ogg"));
  ASSERT_TRUE(a.has_value());
  EXPECT_EQ(std::vector<int>({a->channels, a->format, a->hertz}), std::vector<int>({2, 2, 44100}));
  EXPECT_GE(a->length, 30 * 44100);
  EXPECT_LE(a->length, 60 * 44100);
  // The jump from the last sample back to the first is no larger than the
  // music's own steps around it.
  auto *s = reinterpret_cast<const int16_t *>(a->data.get());
  for (int c = 0; c < 2; ++c) {
    double around = 0;
    for (int i : {1, a->length - 2047})
      for (int k = i; k < i + 2047; ++k) around = std::max(around, std::fabs(s[k * 2 + c] - s[(k - 1) * 2 + c]));
    EXPECT_LE(std::fabs(s[c] - s[(a->length - 1) * 2 + c]), around * 1.5 + 64) << "channel " << c;
  }
}

TEST(Content, NoFrameIsBlankAndEveryResolutionShowsTheSameDrawing) {
  for (const Entry &e : Table()) {
    Picture base = Read(e.name, 1, e.w, e.h);
    ASSERT_GT(base.width, 0) << e.name;
    for (int m : {2, 4}) {
      Picture hd = Read(e.name, m, e.w, e.h);
      ASSERT_GT(hd.width, 0) << e.name;
      for (int frame = 0; frame < e.frames; ++frame) {
        if (BlankGlyph(e.name, frame)) continue;
        auto a = base.Ink(frame, 1), b = hd.Ink(frame, m);
        SCOPED_TRACE(e.name + " frame " + std::to_string(frame) + " x" + std::to_string(m));
        EXPECT_GT(a[0], 0.005) << "blank";
        // The same drawing, only finer: about as much ink, in the same place.
        EXPECT_NEAR(a[0], b[0], 0.03 + a[0] * 0.15);
        EXPECT_NEAR(a[1], b[1], 0.6 + e.w * 0.02);
        EXPECT_NEAR(a[2], b[2], 0.6 + e.h * 0.02);
      }
    }
  }
}

TEST(Content, EveryPictureTileIsItsPuzzlesSolvedPictureInItsHue) {
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
  // Puzzles whose hues are far apart get visibly different ink.
  Picture p = Read("sheet1", 1, 64, 64);
  auto ink = [&](int puzzle) {
    std::string cells = p_GetLevDat(puzzle).ToNarrow();
    int cell = static_cast<int>(cells.find('1'));
    return p.In(puzzle - 1, cell % 8 * 8 + 4, cell / 8 * 8 + 4);
  };
  int checked = 0;
  for (int i = 1; i <= 16; ++i)
    for (int j = i + 1; j <= 16; ++j) {
      int d = std::abs(PuzzleHue(i) - PuzzleHue(j)) % 360;
      if (std::min(d, 360 - d) <= 120) continue;
      const unsigned char *x = ink(i), *y = ink(j);
      EXPECT_GT(std::abs(x[0] - y[0]) + std::abs(x[1] - y[1]) + std::abs(x[2] - y[2]), 60) << i << " " << j;
      ++checked;
    }
  EXPECT_GT(checked, 0);
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
    // The map's covers, drawn at 1.1 times the tile, hide all of it.
    Picture buttons = Read("common/Buttons", m, 64, 64);
    auto tile = [&](double x, double y) {
      return std::max(std::fabs(x - 32 * m), std::fabs(y - 32 * m)) < 32 * m / 1.1 + 0.5;
    };
    for (int f : {1, 2}) EXPECT_EQ(count(buttons, f, tile, [](int a) { return a != 255; }), 0) << "cover " << f;
    // Board tiles: light and dark, about 8 of their 12 units wide; the cursor
    // frames ring the tile without covering it.
    Picture blocks = Read("blocks", m, 12, 12);
    EXPECT_GT(blocks.Luma(0, 6 * m, 6 * m), 0.75);
    EXPECT_LT(blocks.Luma(1, 6 * m, 6 * m), 0.3);
    auto row = [&](double, double y) { return std::fabs(y - 6 * m - 0.5) < 0.1; };
    EXPECT_NEAR(count(blocks, 1, row, [](int a) { return a > 128; }), 8 * m, m);
    auto inTile = [&](double x, double y) { return std::fabs(x - 6 * m) < 3 * m && std::fabs(y - 6 * m) < 3 * m; };
    auto outside = [&](double x, double y) { return !inTile(x, y); };
    for (int f = 5; f <= 8; ++f) {
      EXPECT_EQ(count(blocks, f, inTile, some), 0) << "cursor " << f << " covers the tile";
      EXPECT_GT(count(blocks, f, outside, some), 0) << "cursor " << f << " is empty";
    }
    // The loading emblem keeps inside the rings of dots, which reach within
    // 0.35 x 480 - 8 screen units of the middle; it is drawn at scale 2.
    Picture logo = Read("common/PlinthLogo", m, 256, 256);
    double furthest = 0, cy = 128 + 0.02 * 480 / 2, limit = (0.35 * 480 - 8) / 2;
    for (int y = 0; y < logo.height; ++y)
      for (int x = 0; x < logo.width; ++x)
        if (logo.At(x, y)[3] > 8) furthest = std::max(furthest, std::hypot((x + 0.5) / m - 128, (y + 0.5) / m - cy));
    EXPECT_GT(furthest, limit * 0.5);
    EXPECT_LT(furthest, limit);
    // Glyphs stay off their cell's edge (a turned glyph would show a
    // neighbour's), blanks are empty.
    Picture font = Read("fonts/shadow_editundo", m, 16, 16);
    auto edge = [&](double x, double y) { return std::min({x, y, 16 * m - x, 16 * m - y}) < 1; };
    for (int f = 0; f < 128; ++f) {
      EXPECT_EQ(count(font, f, edge, some), 0) << "glyph " << f;
      EXPECT_EQ(count(
                    font, f, [](double, double) { return true; }, some) == 0,
                BlankGlyph("fonts/shadow_editundo", f))
          << "glyph " << f;
    }
  }
  // Letters are about one advance wide and centred on the pen.
  Picture font = Read("fonts/shadow_editundo", 4, 16, 16);
  for (char c : std::string("AHOnoxz")) {
    int left = 64, right = -1;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x)
        if (font.In(c - 32, x, y)[3] > 128 && font.Luma(c - 32, x, y) > 0.5)
          left = std::min(left, x), right = std::max(right, x);
    EXPECT_GT(right - left + 1, 14) << c;
    EXPECT_LT(right - left + 1, 34) << c;
    EXPECT_NEAR((left + right + 1) / 2.0, 32, 4) << c;
  }
  // The default font keeps its padding columns clear.
  Picture lumen(DataDir() + "/lumen_font.png");
  int stride = lumen.width / 96, inked = 0;
  for (int f = 0; f < 96; ++f)
    for (int y = 0; y < lumen.height; ++y) {
      EXPECT_EQ(lumen.At(f * stride, y)[3] + lumen.At(f * stride + stride - 1, y)[3], 0) << "frame " << f;
      for (int x = 1; x < stride - 1; ++x) inked += f == 'A' - 32 && lumen.At(f * stride + x, y)[3] > 128;
    }
  EXPECT_GT(inked, 8);
}

} // namespace
