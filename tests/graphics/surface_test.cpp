// Surface pixel copies: premultiplied on the way in, writes clipped to the
// surface. No window, so nothing here reaches OpenGL.
#include <gtest/gtest.h>

#include <cstring>

#include "graphics/surface.h"

namespace {

std::vector<int> Bytes(const gxtkSurface &s) {
  return std::vector<int>(s.data.get(), s.data.get() + s.width * s.height * s.depth);
}

void Set(gxtkSurface &s, std::vector<unsigned char> bytes, int width, int depth) {
  PixelData p(static_cast<unsigned char *>(std::malloc(bytes.size())));
  std::memcpy(p.get(), bytes.data(), bytes.size());
  s.SetData(std::move(p), width, static_cast<int>(bytes.size()) / width / depth, depth);
}

TEST(SurfaceData, LoadedPixelsArePremultipliedByAlpha) {
  gxtkSurface rgba, greyAlpha, rgb;
  Set(rgba, {255, 192, 10, 128, 200, 100, 50, 0, 9, 8, 7, 255}, 3, 4);
  EXPECT_EQ(Bytes(rgba), (std::vector<int>{128, 96, 5, 128, 0, 0, 0, 0, 9, 8, 7, 255}));
  Set(greyAlpha, {255, 128, 100, 0}, 2, 2);
  EXPECT_EQ(Bytes(greyAlpha), (std::vector<int>{128, 128, 0, 0}));
  Set(rgb, {1, 2, 3, 4, 5, 6}, 2, 3);
  EXPECT_EQ(Bytes(rgb), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(SurfaceData, WrittenPixelsArePremultipliedClippedAndPlaced) {
  gxtkSurface s;
  s.width = s.height = 3;
  s.depth = 4;
  s.format = SurfaceFormatOfDepth(4);
  // Source rows 3 ints apart; alpha 128 red 255 becomes 128, red 192 becomes 96.
  const int src[] = {int(0x80FF0000u), int(0x80C00000u), -1, int(0xff070809u), int(0xff0a0b0cu), -1};
  s.SetSubData(1, 1, 2, 2, src, 3);
  std::vector<int> b = Bytes(s);
  EXPECT_EQ(std::vector<int>(b.begin(), b.begin() + 16), std::vector<int>(16, 0));
  EXPECT_EQ(std::vector<int>(b.begin() + 16, b.begin() + 24), (std::vector<int>{128, 0, 0, 128, 96, 0, 0, 128}));
  EXPECT_EQ(std::vector<int>(b.begin() + 28, b.begin() + 36), (std::vector<int>{7, 8, 9, 255, 10, 11, 12, 255}));

  // Hanging over the top-left corner: only the part inside is written, from
  // the matching source pixel; rectangles outside or negative write nothing.
  s.SetSubData(-1, -1, 2, 2, src, 3);
  EXPECT_EQ(std::vector<int>(s.data.get(), s.data.get() + 4), (std::vector<int>{10, 11, 12, 255}));
  s.SetSubData(5, 5, 2, 2, src, 3);
  s.SetSubData(0, 0, -3, 2, src, 3);

  gxtkSurface rgb;
  Set(rgb, {1, 2, 3}, 1, 3);
  rgb.SetSubData(0, 0, 1, 1, src, 1);
  EXPECT_EQ(Bytes(rgb), (std::vector<int>{1, 2, 3}));
}

} // namespace
