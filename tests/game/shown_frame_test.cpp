// The game's decision to draw: a frame is new when the device would show it
// differently, by one step of a packed colour or one sub-pixel step of a
// vertex, and not when an input creeps below what the device can show.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "game/shown_frame.h"
#include "graphics/image.h"
#include "runtime/angle.h"

namespace {

constexpr int kSubpixelBits = 8;
constexpr float kStep = 1.0f / (1 << kSubpixelBits); // one sub-pixel, in device pixels
constexpr int kImageSlot = 1;

struct Inputs {
  // An image record at (10, 20) in device pixels, scale 1, white and opaque.
  std::vector<DrawRecord> list = {{kImageSlot, 10, 20, 0, 1, 1, 3, 1, 0, 0, 255, 255, 255, 1, 0}};
  float fill[4] = {20, 80, 160, 1};
  std::array<float, 4> exact = {640, 480, 1, 0};
  inline static const GameImage image = std::make_shared<c_Image>();
  std::vector<GameImage> images = {nullptr, image};
  ImageFrame frame = {64, 32, 32, 16}; // its handle in the middle

  // Every conversion in these tests goes through one cache, as the game's
  // do: an answer it kept for the wrong input shows up as a frame misjudged.
  inline static ShownCache cache;
  std::vector<ShownRecord> Shown() const {
    std::vector<ShownRecord> shown;
    for (size_t i = 0; i < list.size(); ++i) shown.push_back(cache.Show(i, list[i], frame, kSubpixelBits));
    return shown;
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
      {"a sub-pixel down", [](Inputs &in) { in.list[0].y -= kStep; }},
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
  EXPECT_EQ(changedY, (std::vector<float>{20, 21}));
  now.fill[0] = 21;
  EXPECT_FALSE(two.EachChangedRecord(now.list, now.Shown(), now.Settings(), now.images,
                                     [](const DrawRecord &, const DrawRecord &) { ADD_FAILURE(); }))
      << "a new fill is a whole new frame";
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
