// Cutting images into frames, padding, handles, FullFrame and the two
// runtime errors of setting an image up.
#include <gtest/gtest.h>

#include <cstdio>

#include "graphics/image.h"

namespace {

std::shared_ptr<gxtkSurface> Surface(int width, int height) {
  auto s = std::make_shared<gxtkSurface>();
  s->width = width;
  s->height = height;
  s->depth = 4;
  return s;
}

std::vector<std::pair<int, int>> Corners(const c_Image &image) {
  std::vector<std::pair<int, int>> out;
  for (const c_Frame &f : image.m_frames) out.emplace_back(f.m_x, f.m_y);
  return out;
}

using Corner = std::pair<int, int>;

TEST(ImageFrames, RowOfFramesWithAndWithoutPadding) {
  c_Image plain;
  plain.p_Init(Surface(96, 16), 4, 0);
  EXPECT_EQ(plain.m_width, 24);
  EXPECT_EQ(plain.m_height, 16);
  EXPECT_EQ(Corners(plain), (std::vector<Corner>{{0, 0}, {24, 0}, {48, 0}, {72, 0}}));

  c_Image padded;
  padded.p_Init(Surface(96, 16), 4, c_Image::XPadding);
  EXPECT_EQ(padded.m_width, 22);
  EXPECT_EQ(padded.m_height, 16);
  EXPECT_EQ(Corners(padded), (std::vector<Corner>{{1, 0}, {25, 0}, {49, 0}, {73, 0}}));

  c_Image both;
  both.p_Init(Surface(96, 16), 4, c_Image::XPadding | c_Image::YPadding);
  EXPECT_EQ(both.m_height, 14);
  EXPECT_EQ(Corners(both)[2], Corner(49, 1));
}

TEST(ImageFrames, MidHandleIsTakenAfterPaddingAndNotKept) {
  c_Image image;
  image.p_Init(Surface(96, 16), 4, c_Image::XPadding | c_Image::MidHandle);
  EXPECT_FLOAT_EQ(image.m_tx, 11);
  EXPECT_FLOAT_EQ(image.m_ty, 8);
  EXPECT_EQ(image.m_flags & c_Image::MidHandle, 0);
  EXPECT_NE(image.m_flags & c_Image::XPadding, 0);

  c_Image odd;
  odd.p_Init(Surface(7, 5), 1, c_Image::MidHandle);
  EXPECT_FLOAT_EQ(odd.m_tx, 3.5f);
  EXPECT_FLOAT_EQ(odd.m_ty, 2.5f);

  odd.p_SetHandle(1, 2);
  EXPECT_FLOAT_EQ(odd.m_tx, 1);
  EXPECT_FLOAT_EQ(odd.m_ty, 2);
}

TEST(ImageFrames, FullFrameOnlyForOneWholeSurfaceFrame) {
  c_Image whole;
  whole.p_Init(Surface(40, 30), 1, c_Image::MidHandle);
  EXPECT_NE(whole.m_flags & c_Image::FullFrame, 0);

  c_Image padded;
  padded.p_Init(Surface(40, 30), 1, c_Image::XPadding);
  EXPECT_EQ(padded.m_flags & c_Image::FullFrame, 0);

  c_Image two;
  two.p_Init(Surface(40, 30), 2, 0);
  EXPECT_EQ(two.m_flags & c_Image::FullFrame, 0);

  c_Image cell;
  cell.p_Init2(Surface(40, 30), 0, 0, 20, 30, 1, 0, nullptr, 0, 0, 40, 30);
  EXPECT_EQ(cell.m_flags & c_Image::FullFrame, 0);

  c_Image grid;
  grid.p_Init2(Surface(40, 30), 0, 0, 40, 30, 1, 0, nullptr, 0, 0, 40, 30);
  EXPECT_NE(grid.m_flags & c_Image::FullFrame, 0);
}

TEST(ImageFrames, GridFramesWalkRowsInsideTheSourceRectangle) {
  c_Image grid;
  grid.p_Init2(Surface(64, 64), 0, 0, 32, 32, 4, 0, nullptr, 0, 0, 64, 64);
  EXPECT_EQ(Corners(grid), (std::vector<Corner>{{0, 0}, {32, 0}, {0, 32}, {32, 32}}));

  // Three 10 x 8 cells per row of a 35-wide source at (5, 6), starting at (10, 0).
  c_Image inner;
  inner.p_Init2(Surface(64, 64), 10, 0, 10, 8, 5, c_Image::YPadding, nullptr, 5, 6, 35, 20);
  EXPECT_EQ(Corners(inner), (std::vector<Corner>{{15, 7}, {25, 7}, {5, 15}, {15, 15}, {25, 15}}));
  EXPECT_EQ(inner.m_height, 6);
}

TEST(ImageFrames, BadCountsStayInsideTheSurface) {
  c_Image none;
  none.p_Init(Surface(30, 10), 0, 0);
  EXPECT_EQ(none.m_frames.Length(), 1);
  EXPECT_EQ(none.m_width, 30);

  c_Image empty;
  empty.p_Init2(Surface(30, 10), 0, 0, 10, 10, 0, 0, nullptr, 0, 0, 30, 10);
  EXPECT_EQ(empty.m_frames.Length(), 0);
}

// The runtime error report waits for a debugger on standard input.
void WithoutDebugger() { (void)std::freopen("/dev/null", "r", stdin); }

TEST(ImageFramesDeathTest, FrameBeyondTheSurface) {
  EXPECT_EXIT(
      {
        WithoutDebugger();
        c_Image grid;
        grid.p_Init2(Surface(64, 64), 0, 0, 32, 32, 5, 0, nullptr, 0, 0, 64, 64);
      },
      testing::ExitedWithCode(255), "Image frame outside surface");
  EXPECT_EXIT(
      {
        WithoutDebugger();
        c_Image wide;
        wide.p_Init2(Surface(64, 64), 0, 0, 80, 10, 1, 0, nullptr, 0, 0, 64, 64);
      },
      testing::ExitedWithCode(255), "Image frame outside surface");
}

TEST(ImageFramesDeathTest, InitialisingTwice) {
  EXPECT_EXIT(
      {
        WithoutDebugger();
        c_Image image;
        image.p_Init(Surface(8, 8), 1, 0);
        image.p_Init(Surface(8, 8), 1, 0);
      },
      testing::ExitedWithCode(255), "Image already initialized");
  EXPECT_EXIT(
      {
        WithoutDebugger();
        c_Image image;
        image.p_Init(Surface(8, 8), 1, 0);
        image.p_Init2(Surface(8, 8), 0, 0, 8, 8, 1, 0, nullptr, 0, 0, 8, 8);
      },
      testing::ExitedWithCode(255), "Image already initialized");
}

} // namespace
