// Cutting images into frames, padding, handles, FullFrame and the two
// runtime errors of setting an image up.
#include <gtest/gtest.h>

#include <cstdio>

#include "graphics/image.h"

namespace {

using Corners = std::vector<std::pair<int, int>>;

std::shared_ptr<c_Image> Cut(int width, int height, int frames, int flags) {
  auto s = std::make_shared<gxtkSurface>();
  s->width = width;
  s->height = height;
  auto image = std::make_shared<c_Image>();
  image->p_Init(s, frames, flags);
  return image;
}

std::shared_ptr<c_Image> Grid(int frameWidth, int frameHeight, int frames, int flags, int x = 0, int y = 0,
                              int srcx = 0, int srcy = 0, int srcw = 64, int srch = 64) {
  auto s = std::make_shared<gxtkSurface>();
  s->width = s->height = 64;
  auto image = std::make_shared<c_Image>();
  image->p_Init2(s, x, y, frameWidth, frameHeight, frames, flags, nullptr, srcx, srcy, srcw, srch);
  return image;
}

Corners CornersOf(const c_Image &image) {
  Corners out;
  for (const c_Frame &f : image.m_frames) out.emplace_back(f.m_x, f.m_y);
  return out;
}

TEST(ImageFrames, RowOfFramesPaddingAndHandle) {
  auto plain = Cut(96, 16, 4, 0);
  EXPECT_EQ(plain->m_width, 24);
  EXPECT_EQ(CornersOf(*plain), (Corners{{0, 0}, {24, 0}, {48, 0}, {72, 0}}));

  auto padded = Cut(96, 16, 4, c_Image::XPadding | c_Image::MidHandle);
  EXPECT_EQ(padded->m_width, 22);
  EXPECT_EQ(padded->m_height, 16);
  EXPECT_EQ(CornersOf(*padded), (Corners{{1, 0}, {25, 0}, {49, 0}, {73, 0}}));
  // The handle is taken after the padding, and the bit is not kept.
  EXPECT_FLOAT_EQ(padded->m_tx, 11);
  EXPECT_FLOAT_EQ(padded->m_ty, 8);
  EXPECT_EQ(padded->m_flags, c_Image::XPadding);

  auto both = Cut(96, 16, 4, c_Image::XPadding | c_Image::YPadding);
  EXPECT_EQ(both->m_height, 14);
  EXPECT_EQ(CornersOf(*both)[2], std::make_pair(49, 1));

  // A count below one would divide by zero: one frame instead.
  EXPECT_EQ(Cut(30, 10, 0, 0)->m_width, 30);
}

TEST(ImageFrames, FullFrameOnlyForOneWholeSurfaceFrame) {
  EXPECT_TRUE(Cut(40, 30, 1, c_Image::MidHandle)->m_flags & c_Image::FullFrame);
  EXPECT_FALSE(Cut(40, 30, 1, c_Image::XPadding)->m_flags & c_Image::FullFrame);
  EXPECT_FALSE(Cut(40, 30, 2, 0)->m_flags & c_Image::FullFrame);
  EXPECT_TRUE(Grid(64, 64, 1, 0)->m_flags & c_Image::FullFrame);
  EXPECT_FALSE(Grid(32, 64, 1, 0)->m_flags & c_Image::FullFrame);
}

TEST(ImageFrames, GridFramesWalkRowsInsideTheSourceRectangle) {
  EXPECT_EQ(CornersOf(*Grid(32, 32, 4, 0)), (Corners{{0, 0}, {32, 0}, {0, 32}, {32, 32}}));
  // 10 x 8 cells in a 35 x 20 source at (5, 6), starting at (10, 0) inside it.
  auto inner = Grid(10, 8, 5, c_Image::YPadding, 10, 0, 5, 6, 35, 20);
  EXPECT_EQ(CornersOf(*inner), (Corners{{15, 7}, {25, 7}, {5, 15}, {15, 15}, {25, 15}}));
}

// The runtime error report waits for a debugger on standard input.
void WithoutDebugger() { (void)std::freopen("/dev/null", "r", stdin); }

TEST(ImageFramesDeathTest, FramesOutsideTheSurface) {
  EXPECT_EXIT((WithoutDebugger(), Grid(32, 32, 5, 0)), testing::ExitedWithCode(255), "Image frame outside surface");
  EXPECT_EXIT((WithoutDebugger(), Grid(80, 10, 1, 0)), testing::ExitedWithCode(255), "Image frame outside surface");
}

TEST(ImageFramesDeathTest, InitialisingTwice) {
  auto again = [](bool grid) {
    WithoutDebugger();
    auto image = Cut(8, 8, 1, 0);
    if (grid)
      image->p_Init2(image->m_surface, 0, 0, 8, 8, 1, 0, nullptr, 0, 0, 8, 8);
    else
      image->p_Init(image->m_surface, 1, 0);
  };
  EXPECT_EXIT(again(false), testing::ExitedWithCode(255), "Image already initialized");
  EXPECT_EXIT(again(true), testing::ExitedWithCode(255), "Image already initialized");
}

} // namespace
