// What the generated pictures show: each picture tile is its puzzle's solved
// picture, the map's covers hide the tiles, the board's tiles and cursor, the
// loading emblem and the font's glyphs fit where the game draws them.
#include <gtest/gtest.h>

#include <cmath>

#include "datagen_test_support.h"
#include "game/assets.h"
#include "game/levels.h"

namespace {

std::string File(const std::string &name, int m) {
  return GeneratedData() + "/" + PicturePath(String::FromUtf8(name), m).ToUtf8();
}

double Luma(const unsigned char *p) { return (0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]) / 255.0; }

// Top-left pixel of frame i of a picture with cells of w x h pixels.
void FrameOrigin(const Picture &p, int w, int h, int i, int &x, int &y) {
  int columns = p.width / w;
  x = (i % columns) * w;
  y = (i / columns) * h;
}

class PictureContent : public testing::Test {
protected:
  void SetUp() override { ASSERT_FALSE(GeneratedData().empty()) << "the generator failed"; }
};

TEST_F(PictureContent, EveryPictureTileIsItsPuzzlesSolvedPicture) {
  for (int m : {1, 2, 4}) {
    for (int sheet = 1; sheet <= 14; ++sheet) {
      Picture p = ReadPicture(File("sheet" + std::to_string(sheet), m));
      ASSERT_TRUE(p.Loaded()) << "sheet" << sheet << " x" << m;
      for (int frame = 0; frame < 16; ++frame) {
        int puzzle = (sheet - 1) * 16 + frame + 1;
        std::string cells = p_GetLevDat(puzzle).ToNarrow();
        ASSERT_EQ(cells.size(), 64u);
        int fx, fy;
        FrameOrigin(p, 64 * m, 64 * m, frame, fx, fy);
        for (int cell = 0; cell < 64; ++cell) {
          // The middle of each 8 x 8 block: dark ink for a black tile, light paper for white.
          const unsigned char *px = p.At(fx + ((cell % 8) * 8 + 4) * m, fy + ((cell / 8) * 8 + 4) * m);
          bool dark = Luma(px) < 0.65;
          EXPECT_EQ(px[3], 255) << "puzzle " << puzzle;
          EXPECT_EQ(dark, cells[static_cast<size_t>(cell)] == '1')
              << "puzzle " << puzzle << " x" << m << " cell " << cell << " luma " << Luma(px);
        }
      }
    }
  }
}

TEST_F(PictureContent, TilesTakeTheirPuzzlesHue) {
  // Puzzles whose hues are far apart get visibly different ink.
  Picture p = ReadPicture(File("sheet1", 1));
  ASSERT_TRUE(p.Loaded());
  auto inkOf = [&](int puzzle) {
    std::string cells = p_GetLevDat(puzzle).ToNarrow();
    int fx, fy;
    FrameOrigin(p, 64, 64, puzzle - 1, fx, fy);
    for (int cell = 0; cell < 64; ++cell)
      if (cells[static_cast<size_t>(cell)] == '1') return p.At(fx + (cell % 8) * 8 + 4, fy + (cell / 8) * 8 + 4);
    return static_cast<const unsigned char *>(nullptr);
  };
  int a = 0, b = 0;
  for (int i = 1; i <= 16 && !b; ++i)
    for (int j = i + 1; j <= 16 && !b; ++j) {
      int d = std::abs(PuzzleHue(i) - PuzzleHue(j)) % 360;
      if (std::min(d, 360 - d) > 120) a = i, b = j;
    }
  ASSERT_NE(b, 0);
  const unsigned char *x = inkOf(a), *y = inkOf(b);
  ASSERT_TRUE(x && y);
  int difference = std::abs(x[0] - y[0]) + std::abs(x[1] - y[1]) + std::abs(x[2] - y[2]);
  EXPECT_GT(difference, 60) << "puzzles " << a << " and " << b;
}

TEST_F(PictureContent, CoversOfOpenAndLockedCellsHideTheWholeTile) {
  // The map draws a cover at 1.1 times the tile's size over the tile.
  for (int m : {1, 2, 4}) {
    Picture p = ReadPicture(File("common/Buttons", m));
    ASSERT_TRUE(p.Loaded());
    int cell = 64 * m;
    double half = cell / 2.0 / 1.1;
    int from = static_cast<int>(std::floor(cell / 2.0 - half)), to = static_cast<int>(std::ceil(cell / 2.0 + half));
    for (int frame : {1, 2}) {
      int fx, fy;
      FrameOrigin(p, cell, cell, frame, fx, fy);
      int holes = 0;
      for (int y = from; y < to; ++y)
        for (int x = from; x < to; ++x)
          if (p.At(fx + x, fy + y)[3] != 255) ++holes;
      EXPECT_EQ(holes, 0) << "frame " << frame << " x" << m;
    }
  }
}

TEST_F(PictureContent, BoardTilesAreLightAndDarkAndTheCursorFramesThem) {
  for (int m : {1, 2, 4}) {
    Picture p = ReadPicture(File("blocks", m));
    ASSERT_TRUE(p.Loaded());
    int cell = 12 * m, fx, fy;
    FrameOrigin(p, cell, cell, 0, fx, fy);
    const unsigned char *white = p.At(fx + cell / 2, fy + cell / 2);
    FrameOrigin(p, cell, cell, 1, fx, fy);
    const unsigned char *black = p.At(fx + cell / 2, fy + cell / 2);
    EXPECT_GT(Luma(white), 0.75);
    EXPECT_LT(Luma(black), 0.3);
    // The visible tile spans about 8 of the 12 units, so tiles 32 units apart at scale 4 nearly touch.
    int inked = 0;
    for (int x = 0; x < cell; ++x) inked += p.At(fx + x, fy + cell / 2)[3] > 128;
    EXPECT_NEAR(inked, 8 * m, m);
    for (int frame = 5; frame <= 8; ++frame) {
      FrameOrigin(p, cell, cell, frame, fx, fy);
      int centre = 0, ring = 0;
      for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell; ++x) {
          bool inTile = std::abs(2 * x + 1 - cell) < 6 * m && std::abs(2 * y + 1 - cell) < 6 * m;
          (inTile ? centre : ring) += p.At(fx + x, fy + y)[3] > 0;
        }
      EXPECT_EQ(centre, 0) << "cursor frame " << frame << " covers the tile";
      EXPECT_GT(ring, 0) << "cursor frame " << frame << " is empty";
    }
  }
}

TEST_F(PictureContent, LoadingEmblemKeepsInsideTheLoadingRings) {
  // Drawn at scale 2 at 0.48 of the screen height, inside rings of dots whose
  // innermost reach 0.35 x 480 - 8 screen units from the screen's middle.
  for (int m : {1, 2, 4}) {
    Picture p = ReadPicture(File("common/PlinthLogo", m));
    ASSERT_TRUE(p.Loaded());
    double cx = 128.0 * m, cy = (128.0 + 0.02 * 480 / 2) * m, limit = (0.35 * 480 - 8) / 2 * m;
    double furthest = 0;
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x)
        if (p.At(x, y)[3] > 8) furthest = std::max(furthest, std::hypot(x + 0.5 - cx, y + 0.5 - cy));
    EXPECT_GT(furthest, limit * 0.5);
    EXPECT_LT(furthest, limit) << "x" << m;
  }
}

TEST_F(PictureContent, GlyphsAndIconsSitInsideTheirCells) {
  for (int m : {1, 2, 4}) {
    Picture p = ReadPicture(File("fonts/shadow_editundo", m));
    ASSERT_TRUE(p.Loaded());
    int cell = 16 * m;
    for (int frame = 0; frame < 128; ++frame) {
      int fx, fy;
      FrameOrigin(p, cell, cell, frame, fx, fy);
      int inked = 0, edge = 0;
      for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell; ++x) {
          if (p.At(fx + x, fy + y)[3] == 0) continue;
          ++inked;
          // Turned and scaled glyphs must not show a neighbour's edge.
          if (x == 0 || y == 0 || x == cell - 1 || y == cell - 1) ++edge;
        }
      bool blank = frame == 0 || frame == 95 || frame == 111 || frame == 127;
      if (blank) {
        EXPECT_EQ(inked, 0) << "frame " << frame;
      } else {
        EXPECT_GT(inked, 0) << "frame " << frame << " x" << m;
      }
      EXPECT_EQ(edge, 0) << "frame " << frame << " x" << m;
    }
  }
}

TEST_F(PictureContent, LettersAreAboutOneAdvanceWideSoTextNeitherCollidesNorGaps) {
  Picture p = ReadPicture(File("fonts/shadow_editundo", 4));
  ASSERT_TRUE(p.Loaded());
  for (char c : std::string("AHOnoxz")) {
    int fx, fy;
    FrameOrigin(p, 64, 64, c - 32, fx, fy);
    int left = 64, right = -1;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x)
        if (p.At(fx + x, fy + y)[3] > 128 && Luma(p.At(fx + x, fy + y)) > 0.5)
          left = std::min(left, x), right = std::max(right, x);
    double width = (right - left + 1) / 4.0;
    EXPECT_GT(width, 3.5) << c;
    EXPECT_LT(width, 8.5) << c;
    // Centred on the pen, which is the cell's middle.
    EXPECT_NEAR((left + right + 1) / 2.0, 32, 4) << c;
  }
}

} // namespace
