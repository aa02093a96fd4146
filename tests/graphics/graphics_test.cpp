// The graphics module without a window: frames, premultiplied surfaces, PNGs.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "graphics/image.h"
#include "graphics/image_data.h"
#include "support/files.h"

namespace {

using Corners = std::vector<std::pair<int, int>>;

std::shared_ptr<gxtkSurface> Surface(int width, int height) {
  auto s = std::make_shared<gxtkSurface>();
  s->width = width, s->height = height;
  return s;
}

std::shared_ptr<c_Image> Cut(int width, int height, int frames, int flags) {
  auto image = std::make_shared<c_Image>();
  image->p_Init(Surface(width, height), frames, flags);
  return image;
}

std::shared_ptr<c_Image> Grid(int fw, int fh, int frames, int flags, int x = 0, int y = 0, int sx = 0, int sy = 0,
                              int sw = 64, int sh = 64) {
  auto image = std::make_shared<c_Image>();
  image->p_Init2(Surface(64, 64), x, y, fw, fh, frames, flags, nullptr, sx, sy, sw, sh);
  return image;
}

TEST(ImageFrames, CutsPaddingHandlesAndFullFrame) {
  constexpr int X = c_Image::XPadding, Y = c_Image::YPadding, M = c_Image::MidHandle;
  struct Case {
    std::shared_ptr<c_Image> image;
    int width, height;
    Corners corners;
    float handleX, handleY;
    bool full;
  };
  const Case cases[] = {
      {Cut(96, 16, 4, 0), 24, 16, {{0, 0}, {24, 0}, {48, 0}, {72, 0}}, 0, 0, false},
      // The handle is taken after the padding.
      {Cut(96, 16, 4, X | M), 22, 16, {{1, 0}, {25, 0}, {49, 0}, {73, 0}}, 11, 8, false},
      {Cut(48, 16, 2, X | Y), 22, 14, {{1, 1}, {25, 1}}, 0, 0, false},
      // A count below one would divide by zero: one frame instead.
      {Cut(30, 10, 0, M), 30, 10, {{0, 0}}, 15, 5, true},
      {Grid(64, 64, 1, 0), 64, 64, {{0, 0}}, 0, 0, true},
      {Grid(32, 32, 4, 0), 32, 32, {{0, 0}, {32, 0}, {0, 32}, {32, 32}}, 0, 0, false},
      // 10 x 8 cells in a 35 x 20 source at (5, 6), starting at (10, 0) inside it.
      {Grid(10, 8, 5, Y, 10, 0, 5, 6, 35, 20), 10, 6, {{15, 7}, {25, 7}, {5, 15}, {15, 15}, {25, 15}}, 0, 0, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    Corners corners;
    for (const c_Frame &f : c.image->m_frames) corners.emplace_back(f.m_x, f.m_y);
    EXPECT_EQ(corners, c.corners);
    EXPECT_EQ((std::vector<float>{float(c.image->p_Width()), float(c.image->p_Height()), c.image->p_HandleX(),
                                  c.image->p_HandleY()}),
              (std::vector<float>{float(c.width), float(c.height), c.handleX, c.handleY}));
    EXPECT_EQ((c.image->m_flags & c_Image::FullFrame) != 0, c.full);
    EXPECT_FALSE(c.image->m_flags & M) << "the handle bit is not kept";
  }
}

std::vector<int> Bytes(const gxtkSurface &s) {
  return std::vector<int>(s.data.get(), s.data.get() + s.width * s.height * s.depth);
}

void Set(gxtkSurface &s, std::vector<unsigned char> bytes, int width, int depth) {
  PixelData p(static_cast<unsigned char *>(std::malloc(bytes.size())));
  std::memcpy(p.get(), bytes.data(), bytes.size());
  s.SetData(std::move(p), width, static_cast<int>(bytes.size()) / width / depth, depth);
}

TEST(SurfaceData, PixelsArePremultipliedOnTheWayInAndWritesClipped) {
  gxtkSurface rgba, greyAlpha, rgb;
  Set(rgba, {255, 192, 10, 128, 200, 100, 50, 0, 9, 8, 7, 255}, 3, 4);
  EXPECT_EQ(Bytes(rgba), (std::vector<int>{128, 96, 5, 128, 0, 0, 0, 0, 9, 8, 7, 255}));
  Set(greyAlpha, {255, 128, 100, 0}, 2, 2);
  EXPECT_EQ(Bytes(greyAlpha), (std::vector<int>{128, 128, 0, 0}));
  Set(rgb, {1, 2, 3, 4, 5, 6}, 2, 3);
  EXPECT_EQ(Bytes(rgb), (std::vector<int>{1, 2, 3, 4, 5, 6}));

  gxtkSurface s;
  s.width = s.height = 3, s.depth = 4, s.format = SurfaceFormatOfDepth(4);
  // Source rows 3 ints apart, written at (1, 1).
  const int src[] = {int(0x80FF0000u), int(0x80C00000u), -1, int(0xff070809u), int(0xff0a0b0cu), -1};
  s.SetSubData(1, 1, 2, 2, src, 3);
  std::vector<int> expected(36, 0);
  const int placed[][5] = {{16, 128, 0, 0, 128}, {20, 96, 0, 0, 128}, {28, 7, 8, 9, 255}, {32, 10, 11, 12, 255}};
  for (auto &p : placed) std::copy(p + 1, p + 5, expected.begin() + p[0]);
  EXPECT_EQ(Bytes(s), expected);
  // Hanging over the top-left corner only the part inside is written, from
  // the matching source pixel; rectangles outside or negative write nothing.
  s.SetSubData(-1, -1, 2, 2, src, 3);
  s.SetSubData(5, 5, 2, 2, src, 3);
  s.SetSubData(0, 0, -3, 2, src, 3);
  std::copy(placed[3] + 1, placed[3] + 5, expected.begin());
  EXPECT_EQ(Bytes(s), expected);
}

TEST(ImageData, AMissingFileGivesNullAndOutsidePngsOfEveryKindDecode) {
  TempDir dir;
  auto load = [&](const std::string &name, int *w, int *h, int *d) {
    return LoadImageData(String::FromUtf8(dir / name), w, h, d);
  };
  int w = -1, h = -1, d = -1;
  EXPECT_EQ(load("missing.png", &w, &h, &d), nullptr); // damaged files are the fuzzer's
  EXPECT_EQ((std::array{w, h, d}), (std::array{-1, -1, -1})) << "outputs are kept";

  if (Shell("command -v convert").empty()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  // Left half red, right half blue, in every colour type; grey ones are 128 grey.
  const std::string rb = "-size 2x2 xc:red -size 2x2 xc:blue +append";
  const struct {
    std::string arguments;
    int depth, width, height;
  } cases[] = {
      {rb + " -define png:color-type=2", 3, 4, 2},
      {rb + " -define png:bit-depth=16 -define png:color-type=2", 3, 4, 2},
      {rb + " -alpha set -channel A -evaluate set 50% +channel -define png:color-type=6", 4, 4, 2},
      {"-size 3x2 xc:'gray(128)' -define png:color-type=0", 1, 3, 2},
      {"-size 2x2 xc:'rgba(128,128,128,0.5)' -define png:color-type=4", 2, 2, 2},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.arguments);
    ASSERT_EQ(ShellStatus("convert " + c.arguments + " '" + (dir / "x.png") + "' 2>/dev/null"), 0);
    PixelData p = load("x.png", &w, &h, &d);
    ASSERT_NE(p, nullptr);
    ASSERT_EQ((std::vector<int>{d, w, h}), (std::vector<int>{c.depth, c.width, c.height}));
    for (int i = 0; i < w * h; ++i) {
      const unsigned char *at = p.get() + i * d;
      bool left = i % w < w / 2;
      std::vector<int> expected = d < 3 ? std::vector<int>{128} : std::vector<int>{left ? 255 : 0, 0, left ? 0 : 255};
      if (d % 2 == 0) expected.push_back(128);
      for (size_t k = 0; k < expected.size(); ++k) ASSERT_NEAR(at[k], expected[k], 1) << "pixel " << i;
    }
  }
}

} // namespace
