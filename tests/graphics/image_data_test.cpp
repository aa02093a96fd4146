// Decoding picture files: bad files give null, PNGs of every colour type from
// an outside encoder come back with their own depth and the right pixels.
#include <gtest/gtest.h>

#include "graphics/image_data.h"
#include "graphics_test_support.h"

namespace {

struct Decoded {
  PixelData pixels;
  int width = -1, height = -1, depth = -1;
  int At(int x, int y, int channel) const { return pixels.get()[(y * width + x) * depth + channel]; }
};

bool Convert(const std::string &arguments) { return ShellStatus("convert " + arguments + " >/dev/null 2>&1") == 0; }

Decoded Load(const std::string &path) {
  Decoded d;
  d.pixels = LoadImageData(String::FromUtf8(path), &d.width, &d.height, &d.depth);
  return d;
}

TEST(ImageData, BadFilesGiveNullAndKeepOutputs) {
  TempDir dir;
  std::vector<unsigned char> px(16 * 4);
  for (size_t i = 0; i < px.size(); ++i) px[i] = static_cast<unsigned char>(i * 7);
  WritePng(dir / "good.png", 4, 4, 4, px);
  std::string good = ReadFile(dir / "good.png");
  ASSERT_NE(Load(dir / "good.png").pixels, nullptr);

  std::string corrupt = good;
  for (size_t i = 33; i < corrupt.size(); i += 3) corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5a);
  // A header that promises a picture far larger than the data behind it.
  std::string huge = good.substr(0, 33);
  huge[16] = huge[17] = huge[20] = huge[21] = '\x7f';
  const std::pair<const char *, std::string> files[] = {
      {"empty.png", ""},        {"truncated.png", good.substr(0, good.size() / 2)},
      {"corrupt.png", corrupt}, {"header-only.png", good.substr(0, 8)},
      {"huge.png", huge},       {"text.png", "this is not a picture\n"}};
  for (const auto &[name, bytes] : files) WriteFile((dir / name), bytes);

  for (const char *name :
       {"missing.png", "empty.png", "truncated.png", "corrupt.png", "header-only.png", "huge.png", "text.png"}) {
    Decoded d = Load(dir / name);
    EXPECT_EQ(d.pixels, nullptr) << name;
    EXPECT_EQ(d.width, -1) << name;
    EXPECT_EQ(d.depth, -1) << name;
  }
}

// Left half red, right half blue.
const char kRedBlue[] = "-size 2x2 xc:'rgb(255,0,0)' -size 2x2 xc:'rgb(0,0,255)' +append";

TEST(ImageData, OutsidePngsOfEveryKind) {
  if (Shell("command -v convert").empty()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  TempDir dir;
  struct Case {
    const char *name;
    std::string arguments;
    int depth, width, height;
  };
  const std::string rb = kRedBlue;
  const Case colour[] = {
      {"rgb", rb + " -define png:color-type=2", 3, 4, 2},
      {"palette", rb + " -define png:color-type=3", 3, 4, 2},
      {"deep", rb + " -define png:bit-depth=16 -define png:color-type=2", 3, 4, 2},
      {"laced",
       "-size 5x7 xc:'rgb(255,0,0)' -size 5x7 xc:'rgb(0,0,255)' +append -interlace PNG "
       "-define png:color-type=2",
       3, 10, 7},
      {"rgba", rb + " -alpha set -channel A -evaluate set 50% +channel -define png:color-type=6", 4, 4, 2},
  };
  for (const Case &c : colour) {
    SCOPED_TRACE(c.name);
    std::string path = dir / c.name + ".png";
    ASSERT_TRUE(Convert(c.arguments + " " + path));
    Decoded d = Load(path);
    ASSERT_NE(d.pixels, nullptr);
    EXPECT_EQ(d.depth, c.depth);
    ASSERT_EQ(d.width, c.width);
    ASSERT_EQ(d.height, c.height);
    for (int y = 0; y < d.height; ++y) {
      for (int x = 0; x < d.width; ++x) {
        bool left = x < d.width / 2;
        ASSERT_EQ(d.At(x, y, 0), left ? 255 : 0) << x << "," << y;
        ASSERT_EQ(d.At(x, y, 1), 0) << x << "," << y;
        ASSERT_EQ(d.At(x, y, 2), left ? 0 : 255) << x << "," << y;
        if (d.depth == 4) {
          ASSERT_NEAR(d.At(x, y, 3), 128, 1);
        }
      }
    }
  }

  ASSERT_TRUE(Convert("-size 3x2 xc:'gray(128)' -define png:color-type=0 " + (dir / "grey.png")));
  Decoded grey = Load(dir / "grey.png");
  ASSERT_NE(grey.pixels, nullptr);
  EXPECT_EQ(grey.depth, 1);
  EXPECT_NEAR(grey.At(2, 1, 0), 128, 1);

  ASSERT_TRUE(Convert("-size 2x2 xc:'rgba(64,64,64,0.5)' -define png:color-type=4 " + (dir / "ga.png")));
  Decoded ga = Load(dir / "ga.png");
  ASSERT_NE(ga.pixels, nullptr);
  EXPECT_EQ(ga.depth, 2);
  EXPECT_NEAR(ga.At(1, 1, 0), 64, 1);
  EXPECT_NEAR(ga.At(1, 1, 1), 128, 1);
}

} // namespace
