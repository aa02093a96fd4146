// Every frame of every picture holds its own drawing: none is blank, each
// resolution shows the same thing, the frames the game turns about their
// middle are centred, the selection ring leaves the marked button visible and
// the default font keeps its padding columns clear.
#include <gtest/gtest.h>

#include <cmath>

#include "datagen_test_support.h"
#include "game/assets.h"

namespace {

struct Ink {
  double coverage = 0;             // mean alpha 0..1 over the frame
  double centreX = 0, centreY = 0; // alpha-weighted centre, in cell units
};

Ink InkOf(const Picture &p, int cellW, int cellH, int m, int frame) {
  int w = cellW * m, h = cellH * m, columns = p.width / w;
  int fx = (frame % columns) * w, fy = (frame / columns) * h;
  double sum = 0, sx = 0, sy = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double a = p.At(fx + x, fy + y)[3] / 255.0;
      sum += a;
      sx += a * (x + 0.5);
      sy += a * (y + 0.5);
    }
  Ink ink;
  ink.coverage = sum / (w * h);
  if (sum > 0) ink.centreX = sx / sum / m, ink.centreY = sy / sum / m;
  return ink;
}

Picture Read(const std::string &name, int m) {
  return ReadPicture(GeneratedData() + "/" + PicturePath(String::FromUtf8(name), m).ToUtf8());
}

class FrameContent : public testing::Test {
protected:
  void SetUp() override { ASSERT_FALSE(GeneratedData().empty()) << "the generator failed"; }
};

TEST_F(FrameContent, NoFrameIsBlankAndEveryResolutionShowsTheSameDrawing) {
  for (const PictureEntry &e : PictureTable()) {
    Picture base = Read(e.name, 1);
    ASSERT_TRUE(base.Loaded()) << e.name;
    for (int m : {2, 4}) {
      Picture hd = Read(e.name, m);
      ASSERT_TRUE(hd.Loaded()) << e.name;
      for (int frame = 0; frame < e.frames; ++frame) {
        bool font = std::string(e.name) == "fonts/shadow_editundo";
        bool blank = font && (frame == 0 || frame == 95 || frame == 111 || frame == 127);
        Ink a = InkOf(base, e.cellW, e.cellH, 1, frame), b = InkOf(hd, e.cellW, e.cellH, m, frame);
        if (blank) continue;
        EXPECT_GT(a.coverage, 0.005) << e.name << " frame " << frame << " is blank";
        // The same drawing, only finer: about as much ink, in the same place.
        EXPECT_NEAR(a.coverage, b.coverage, 0.03 + a.coverage * 0.15) << e.name << " frame " << frame << " x" << m;
        EXPECT_NEAR(a.centreX, b.centreX, 0.6 + e.cellW * 0.02) << e.name << " frame " << frame << " x" << m;
        EXPECT_NEAR(a.centreY, b.centreY, 0.6 + e.cellH * 0.02) << e.name << " frame " << frame << " x" << m;
      }
    }
  }
}

TEST_F(FrameContent, FramesTheGameTurnsAreCentred) {
  struct Turned {
    const char *name;
    int cell, frame;
  };
  // The gear's three layers, the selection ring, the effect circles and lights.
  const Turned turned[] = {{"common/Buttons", 64, 8}, {"common/Buttons", 64, 9}, {"common/Buttons", 64, 10},
                           {"common/icons", 32, 6},   {"common/circle", 256, 0}, {"common/circle", 256, 3},
                           {"common/light", 32, 0},   {"common/light", 32, 1}};
  for (int m : {1, 2, 4}) {
    for (const Turned &t : turned) {
      Picture p = Read(t.name, m);
      ASSERT_TRUE(p.Loaded());
      Ink ink = InkOf(p, t.cell, t.cell, m, t.frame);
      EXPECT_NEAR(ink.centreX, t.cell / 2.0, 0.25) << t.name << " frame " << t.frame << " x" << m;
      EXPECT_NEAR(ink.centreY, t.cell / 2.0, 0.25) << t.name << " frame " << t.frame << " x" << m;
    }
  }
}

TEST_F(FrameContent, SelectionRingLeavesTheMarkedButtonVisible) {
  // The ring is drawn at 2.5 times over a button drawn at 2 times: the
  // button's face and shadow (14.2 units of its cell) lie within 11.4 units
  // of the ring's middle.
  for (int m : {1, 2, 4}) {
    Picture p = Read("common/icons", m);
    ASSERT_TRUE(p.Loaded());
    int cell = 32 * m, fx = 2 * cell, fy = cell; // frame 6 of four columns
    int covered = 0;
    for (int y = 0; y < cell; ++y)
      for (int x = 0; x < cell; ++x) {
        double r = std::hypot(x + 0.5 - cell / 2.0, y + 0.5 - cell / 2.0) / m;
        if (r < 11.5 && p.At(fx + x, fy + y)[3] > 0) ++covered;
      }
    EXPECT_EQ(covered, 0) << "x" << m;
  }
}

TEST_F(FrameContent, DefaultFontKeepsItsPaddingColumnsClear) {
  Picture p = ReadPicture(GeneratedData() + "/lumen_font.png");
  ASSERT_TRUE(p.Loaded());
  ASSERT_EQ(p.width % 96, 0);
  int stride = p.width / 96, inked = 0;
  for (int frame = 0; frame < 96; ++frame) {
    for (int y = 0; y < p.height; ++y) {
      EXPECT_EQ(p.At(frame * stride, y)[3], 0) << "frame " << frame;
      EXPECT_EQ(p.At(frame * stride + stride - 1, y)[3], 0) << "frame " << frame;
      for (int x = 1; x < stride - 1; ++x) inked += frame == 'A' - 32 && p.At(frame * stride + x, y)[3] > 128;
    }
  }
  EXPECT_GT(inked, 8);
}

} // namespace
