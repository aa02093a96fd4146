// Surface pixel copies (premultiplication on the way in, clipped writes) and
// the size rules of textures and ovals. No window: nothing here reaches OpenGL.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "graphics/graphics_device.h"
#include "graphics/surface.h"

namespace {

PixelData Pixels(std::initializer_list<unsigned char> bytes) {
  PixelData p(static_cast<unsigned char *>(std::malloc(bytes.size())));
  std::memcpy(p.get(), bytes.begin(), bytes.size());
  return p;
}

std::vector<int> Bytes(const gxtkSurface &s) {
  return std::vector<int>(s.data.get(), s.data.get() + s.width * s.height * s.depth);
}

TEST(SurfaceData, PremultipliesColourAndGreyByAlpha) {
  gxtkSurface rgba;
  rgba.SetData(Pixels({255, 192, 10, 128, 200, 100, 50, 0, 9, 8, 7, 255}), 3, 1, 4);
  EXPECT_EQ(Bytes(rgba), (std::vector<int>{128, 96, 5, 128, 0, 0, 0, 0, 9, 8, 7, 255}));

  gxtkSurface greyAlpha;
  greyAlpha.SetData(Pixels({255, 128, 100, 0}), 2, 1, 2);
  EXPECT_EQ(Bytes(greyAlpha), (std::vector<int>{128, 128, 0, 0}));

  gxtkSurface rgb;
  rgb.SetData(Pixels({1, 2, 3, 4, 5, 6}), 2, 1, 3);
  EXPECT_EQ(Bytes(rgb), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_NE(rgb.format, rgba.format);
  EXPECT_NE(rgb.format, greyAlpha.format);
}

void MakeRgba(gxtkSurface &s, int width, int height) {
  s.width = width;
  s.height = height;
  s.depth = 4;
  s.format = SurfaceFormatOfDepth(4);
}

TEST(SurfaceData, WrittenPixelsArePremultiplied) {
  gxtkSurface s;
  MakeRgba(s, 2, 1);
  const int argb[] = {static_cast<int>(0x80FF0000u), static_cast<int>(0x80C00000u)};
  s.SetSubData(0, 0, 2, 1, argb, 2);
  EXPECT_EQ(Bytes(s), (std::vector<int>{128, 0, 0, 128, 96, 0, 0, 128}));
}

TEST(SurfaceData, WritesLandAtTheirRowsAndAreClipped) {
  gxtkSurface s;
  MakeRgba(s, 3, 3);
  // Source rows 4 ints apart; the last int of each row is never read.
  const int src[] = {static_cast<int>(0xff010203u), static_cast<int>(0xff040506u), -1, -1,
                     static_cast<int>(0xff070809u), static_cast<int>(0xff0a0b0cu), -1, -1};
  s.SetSubData(1, 1, 2, 2, src, 4);
  std::vector<int> b = Bytes(s);
  EXPECT_EQ(std::vector<int>(b.begin(), b.begin() + 16), std::vector<int>(16, 0));
  EXPECT_EQ(std::vector<int>(b.begin() + 16, b.begin() + 24), (std::vector<int>{1, 2, 3, 255, 4, 5, 6, 255}));
  EXPECT_EQ(std::vector<int>(b.begin() + 28, b.begin() + 36), (std::vector<int>{7, 8, 9, 255, 10, 11, 12, 255}));

  // Hanging over the top-left corner: only the part inside is written, taken
  // from the matching source pixel.
  gxtkSurface c;
  MakeRgba(c, 2, 2);
  const int block[] = {0, 0, 0, static_cast<int>(0xff112233u)};
  c.SetSubData(-1, -1, 2, 2, block, 2);
  EXPECT_EQ(std::vector<int>(c.data.get(), c.data.get() + 4), (std::vector<int>{0x11, 0x22, 0x33, 255}));
  c.SetSubData(5, 5, 2, 2, block, 2);
  c.SetSubData(0, 0, -3, 2, block, 2);

  gxtkSurface rgb;
  rgb.SetData(Pixels({1, 2, 3}), 1, 1, 3);
  rgb.SetSubData(0, 0, 1, 1, block, 1);
  EXPECT_EQ(Bytes(rgb), (std::vector<int>{1, 2, 3}));
}

TEST(SurfaceData, DiscardFreesTheCopy) {
  gxtkSurface s;
  s.SetData(Pixels({1, 2, 3, 4}), 1, 1, 4);
  s.Discard();
  EXPECT_EQ(s.data, nullptr);
  EXPECT_EQ(s.seq, -1);
}

TEST(Sizes, PowerOfTwoFallback) {
  EXPECT_EQ(NextPowerOfTwo(100), 128);
  EXPECT_EQ(NextPowerOfTwo(60), 64);
  EXPECT_EQ(NextPowerOfTwo(64), 64);
  EXPECT_EQ(NextPowerOfTwo(1), 1);
  EXPECT_EQ(NextPowerOfTwo(0), 1);
  EXPECT_EQ(NextPowerOfTwo(-5), 1);
}

TEST(Sizes, OvalSegments) {
  EXPECT_EQ(OvalSegments(3, 3, false, 1, 0, 0, 1), 12);
  EXPECT_EQ(OvalSegments(50, 30, false, 1, 0, 0, 1), 80);
  EXPECT_EQ(OvalSegments(2500, 2500, false, 1, 0, 0, 1), 1024);
  // Rounded down to a multiple of four; negative sizes count by their length.
  EXPECT_EQ(OvalSegments(10.9f, 4.5f, false, 1, 0, 0, 1), 12);
  EXPECT_EQ(OvalSegments(-20, 23, false, 1, 0, 0, 1), 40);
  // Under a matrix the radii are measured on the screen: scaled by 3, turned by 90 degrees.
  EXPECT_EQ(OvalSegments(10, 6, true, 0, -3, 3, 0), 48);
  EXPECT_EQ(OvalSegments(1e30f, 1e30f, true, 1, 0, 0, 1), 1024);
  EXPECT_EQ(OvalSegments(NAN, 5, true, 1, 0, 0, 1), 12);
}

} // namespace
