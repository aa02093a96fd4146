// The game's decision to draw: a frame is new when the device would show it
// differently, by one step of a packed colour or one sub-pixel step of a
// vertex, and not when an input creeps below what the device can show.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "game/names.h"
#include "game/shown_frame.h"
#include "graphics/image.h"
#include "graphics/surface.h"
#include "runtime/angle.h"

namespace {

constexpr int kSubpixelBits = 8;
constexpr float kStep = 1.0f / (1 << kSubpixelBits); // one sub-pixel, in device pixels
constexpr int kImageSlot = 1;

// An image's left and top edges a sub-pixel before the middles of the
// first pixels it covers: a step right or down reaches them.
constexpr float kX = 10.5f - kStep, kY = 20.5f - kStep;

struct Inputs {
  // An image record in device pixels, scale 1, white and opaque.
  std::vector<DrawRecord> list = {{kImageSlot, kX, kY, 0, 1, 1, 3, 1, 0, 0, 255, 255, 255, 1, 0}};
  float fill[4] = {20, 80, 160, 1};
  std::array<float, 4> exact = {640, 480, 1, 0};
  inline static const GameImage image = std::make_shared<c_Image>();
  std::vector<GameImage> images = {nullptr, image};
  ImageFrame frame = {64, 32, 32, 16}; // its handle in the middle

  // Every conversion in these tests goes through one cache, as the game's
  // do: an answer it kept for the wrong input shows up as a frame misjudged.
  inline static ShownCache cache;
  struct Converted {
    std::vector<ShownRecord> shown;
    std::vector<ShownInput> inputs;
    operator ShownList() const { return {shown, inputs}; }
  };
  Converted Shown() const {
    Converted c;
    for (size_t i = 0; i < list.size(); ++i) c.shown.push_back(cache.Show(i, list[i], frame, kSubpixelBits));
    const auto inputs = cache.Inputs(list.size());
    c.inputs.assign(inputs.begin(), inputs.end());
    return c;
  }
  ShownSettings Settings() const { return ShowFillOnDevice(fill[0], fill[1], fill[2], fill[3], exact); }
};

using Change = std::pair<const char *, std::function<void(Inputs &)>>;

class ShownFrameTest : public ::testing::Test {
protected:
  ShownFrameTest() { frame.Keep(kept.list, kept.Shown(), kept.Settings(), kept.images); }
  bool Same(const Inputs &now) const { return frame.Same(now.Shown(), now.Settings(), now.images); }

  const Inputs kept;
  ShownFrame frame;
};

TEST(ShownFrame, NothingKeptIsNeverTheSame) {
  const Inputs in;
  EXPECT_FALSE(ShownFrame().Same(in.Shown(), in.Settings(), in.images));
}

TEST_F(ShownFrameTest, OneDeviceStepOfAnyInputIsANewFrame) {
  const Change cases[] = {
      {"a sub-pixel across", [](Inputs &in) { in.list[0].x += kStep; }},
      {"a sub-pixel down", [](Inputs &in) { in.list[0].y += kStep; }},
      {"a scale moving a corner a sub-pixel", [](Inputs &in) { in.list[0].w += kStep / in.frame.handleX; }},
      {"a turn moving a corner two sub-pixels",
       [](Inputs &in) { in.list[0].rot = 2 * kStep / std::hypot(in.frame.handleX, in.frame.handleY) / kDegToRad; }},
      {"another frame", [](Inputs &in) { in.list[0].frame = 4; }},
      {"a picture's handle moved a pixel", [](Inputs &in) { in.frame.handleX += 1; }},
      {"one step of red", [](Inputs &in) { in.list[0].red = 254; }},
      {"one step of alpha", [](Inputs &in) { in.list[0].alpha = 254.0f / 255; }},
      {"a record more", [](Inputs &in) { in.list.resize(2); }},
      {"one step of the fill", [](Inputs &in) { in.fill[2] = 161; }},
      {"a see-through fill", [](Inputs &in) { in.fill[3] = 0.99f; }},
      {"another device size", [](Inputs &in) { in.exact[0] = 641; }},
      {"an image loaded", [](Inputs &in) { in.images[0] = std::make_shared<c_Image>(); }},
      {"an image released", [](Inputs &in) { in.images[1] = nullptr; }},
  };
  EXPECT_TRUE(Same(Inputs())) << "an equal frame";
  for (auto &[what, change] : cases) {
    kept.Shown(); // as in the game, the kept frame was the last one converted
    Inputs now;
    change(now);
    EXPECT_FALSE(Same(now)) << what;
  }
}

TEST_F(ShownFrameTest, InputsBelowWhatTheDeviceShowsAreTheSameFrame) {
  const Change cases[] = {
      {"a tenth of a sub-pixel", [](Inputs &in) { in.list[0].x += kStep / 10; }},
      {"a sub-pixel away from the pixels' middles", [](Inputs &in) { in.list[0].x -= kStep, in.list[0].y -= kStep; }},
      {"a scale moving no corner a sub-pixel", [](Inputs &in) { in.list[0].h += kStep / in.frame.handleY / 4; }},
      {"the fill's channels within their bytes", [](Inputs &in) { in.fill[0] += 0.5f, in.fill[1] += 0.9f; }},
      {"a record's colour within its bytes", [](Inputs &in) { in.list[0].green = 255.4f; }},
      {"an unused field", [](Inputs &in) { in.list[0].unused2 = 7; }},
  };
  for (auto &[what, change] : cases) {
    Inputs now;
    change(now);
    EXPECT_TRUE(Same(now)) << what;
  }
  Inputs clear;
  clear.list[0].alpha = 0;
  ShownFrame invisible;
  invisible.Keep(clear.list, clear.Shown(), clear.Settings(), clear.images);
  clear.list[0].x += 100;
  EXPECT_TRUE(invisible.Same(clear.Shown(), clear.Settings(), clear.images)) << "a record drawn with nothing moved";
}

// The fill eases toward its colour by an eighth an update, as the background
// does: its floats change for hundreds of updates, the bytes within a second.
TEST(ShownFrame, AnEasedFillStopsDrawingOnceItsBytesStop) {
  Inputs in;
  ShownFrame frame;
  int draws = 0, lastDraw = 0;
  float blue = 0;
  for (int update = 1; update <= 600; ++update) {
    blue += (200 - blue) / 8;
    in.fill[2] = blue;
    if (frame.Same(in.Shown(), in.Settings(), in.images)) continue;
    frame.Keep(in.list, in.Shown(), in.Settings(), in.images);
    ++draws, lastDraw = update;
  }
  EXPECT_LE(lastDraw, 60) << "still drawing after a second";
  EXPECT_GE(draws, 20) << "each new byte of the fill is drawn";
}

TEST_F(ShownFrameTest, OnlyRecordsThatShowDifferentlyAreChanged) {
  Inputs now;
  now.list.push_back(now.list[0]);
  ShownFrame two;
  two.Keep(now.list, now.Shown(), now.Settings(), now.images);
  now.list[0].x += kStep / 10;
  now.list[1].y += 1;
  std::vector<float> changedY;
  EXPECT_TRUE(two.EachChangedRecord(now.list, now.Shown(), now.Settings(), now.images,
                                    [&](const DrawRecord &was, const DrawRecord &is) {
                                      changedY.push_back(was.y);
                                      changedY.push_back(is.y);
                                    }));
  EXPECT_EQ(changedY, (std::vector<float>{kY, kY + 1}));
  now.fill[0] = 21;
  EXPECT_FALSE(two.EachChangedRecord(now.list, now.Shown(), now.Settings(), now.images,
                                     [](const DrawRecord &, const DrawRecord &) { ADD_FAILURE(); }))
      << "a new fill is a whole new frame";
}

// The map's camera eases toward its cell by an eighth an update: the cells'
// vertices creep for over a second, their pixels stop within half of one.
TEST(ShownFrame, AnEasedImageStopsDrawingOnceItCoversTheSamePixels) {
  Inputs in;
  ShownFrame frame;
  int lastDraw = 0;
  float x = 40, firstColumn = 0;
  for (int update = 1; update <= 240; ++update) {
    x += (10 - x) / 8;
    in.list[0].x = x;
    // The first pixel whose middle the image's left edge has passed.
    const float column = std::ceil(x - in.frame.handleX - 0.5f);
    const bool drawn = !frame.Same(in.Shown(), in.Settings(), in.images);
    EXPECT_TRUE(drawn || column == firstColumn) << "a pixel crossed at update " << update;
    firstColumn = column;
    if (!drawn) continue;
    frame.Keep(in.list, in.Shown(), in.Settings(), in.images);
    lastDraw = update;
  }
  EXPECT_LE(lastDraw, 40) << "still drawing when no pixel middle is crossed";
}

// At half size every pixel's middle nears a texel's border as the image's
// edges near whole pixels, as the map's cells do at rest: there the
// rasteriser's float arithmetic picks the texel, and only vertices that snap
// alike are sure to pick alike.
TEST(ShownFrame, WhereATexelBorderNearsAMiddleTheSnappedVerticesDecideToo) {
  auto at = [](float left, float top) {
    Inputs in;
    in.list[0].w = in.list[0].h = 0.5f;
    in.list[0].x = left + in.frame.handleX / 2, in.list[0].y = top + in.frame.handleY / 2;
    return in;
  };
  auto same = [](const Inputs &kept, const Inputs &now) {
    ShownFrame frame;
    frame.Keep(kept.list, kept.Shown(), kept.Settings(), kept.images);
    return frame.Same(now.Shown(), now.Settings(), now.images);
  };
  const float clear = 1.5f / 1024, near = 0.3f / 1024; // of a pixel, past its left or top
  EXPECT_TRUE(same(at(10 + clear, 20 + clear), at(10 + near, 20 + clear))) << "a border neared, vertices alike";
  EXPECT_FALSE(same(at(10 + near, 20 + clear), at(10 + near, 20 + clear + kStep)))
      << "a border near, a vertex a sub-pixel down";
}

// The cursor's disc lies under the map's cells: as the camera settles, its
// rim creeps across pixel middles that a cell paints over.
TEST(ShownFrame, AShapeChangedOnlyUnderAnOpaqueImageIsUnchanged) {
  constexpr int kSide = 128;
  gxtkSurface cell;
  PixelData pixels(static_cast<unsigned char *>(std::malloc(kSide * kSide * 4)));
  std::memset(pixels.get(), 0xff, kSide * kSide * 4);
  cell.SetData(std::move(pixels), kSide, kSide, 4);
  // One see-through texel right of the disc's middle, written as the map
  // writes its cells' pictures.
  const int clear = 0;
  cell.SetSubData(100, 64, 1, 1, &clear, 1);
  Inputs in;
  in.frame = {kSide, kSide, 0, 0, &cell, 0, 0};
  const DrawRecord disc = {kKindOval, 64.2f, 64.3f, 0, 30, 30, 0, 1, 0, 0, 255, 255, 0, 1, 0};
  in.list = {disc, in.list[0]};
  in.list[1].x = 0, in.list[1].y = 0;
  auto sameAfter = [&](float dx, float radius) {
    Inputs now = in;
    now.list[0].x += dx, now.list[0].w = now.list[0].h = radius;
    ShownFrame frame;
    frame.Keep(in.list, in.Shown(), in.Settings(), in.images);
    return frame.Same(now.Shown(), now.Settings(), now.images);
  };
  EXPECT_TRUE(sameAfter(0.37f, 30)) << "the rim moved under the cell";
  EXPECT_FALSE(sameAfter(0.37f, 36)) << "the rim moved across the see-through texel";
  EXPECT_FALSE(sameAfter(0.37f, 70)) << "the rim moved beyond the cell";
  in.list.pop_back();
  EXPECT_FALSE(sameAfter(0.37f, 30)) << "the rim moved with nothing over it";
}

// A slot emptied and loaded again between two frames, as the loader does: the
// new picture may be given the old one's memory, yet it is another picture.
TEST(ShownFrame, APictureLoadedWhereAFreedOneWasIsANewFrame) {
  Inputs in;
  in.images[1] = std::make_shared<c_Image>();
  ShownFrame frame;
  frame.Keep(in.list, in.Shown(), in.Settings(), in.images);
  in.images[1] = nullptr;
  in.images[1] = std::make_shared<c_Image>();
  EXPECT_FALSE(frame.Same(in.Shown(), in.Settings(), in.images));
}

} // namespace
