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

Decoded Load(const std::string &path) {
  Decoded d;
  d.pixels = LoadImageData(String::FromUtf8(path), &d.width, &d.height, &d.depth);
  return d;
}

std::vector<unsigned char> RgbaSquare() {
  std::vector<unsigned char> px;
  for (int i = 0; i < 16; ++i) {
    px.insert(px.end(), {static_cast<unsigned char>(i * 16), 0, 255, static_cast<unsigned char>(255 - i)});
  }
  return px;
}

TEST(ImageData, BadFilesGiveNullAndKeepOutputs) {
  ScratchDir dir;
  WritePng(dir.Path("good.png"), 4, 4, 4, RgbaSquare());
  std::string good = ReadBytes(dir.Path("good.png"));
  WriteBytes(dir.Path("empty.png"), "");
  WriteBytes(dir.Path("truncated.png"), good.substr(0, good.size() / 2));
  WriteBytes(dir.Path("header-only.png"), good.substr(0, 8));
  std::string corrupt = good;
  for (size_t i = 33; i < corrupt.size(); i += 3) corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5a);
  WriteBytes(dir.Path("corrupt.png"), corrupt);
  WriteBytes(dir.Path("text.png"), "this is not a picture at all\n");
  // A header that promises a picture far larger than the data behind it.
  std::string huge = good.substr(0, 33);
  huge[16] = huge[17] = huge[20] = huge[21] = '\x7f';
  WriteBytes(dir.Path("huge.png"), huge);

  for (const char *name :
       {"missing.png", "empty.png", "truncated.png", "header-only.png", "corrupt.png", "text.png", "huge.png"}) {
    SCOPED_TRACE(name);
    Decoded d = Load(dir.Path(name));
    EXPECT_EQ(d.pixels, nullptr);
    EXPECT_EQ(d.width, -1);
    EXPECT_EQ(d.depth, -1);
  }
  Decoded none = Load("");
  EXPECT_EQ(none.pixels, nullptr);
}

TEST(ImageData, OwnPngsKeepPixelsUnpremultiplied) {
  ScratchDir dir;
  WritePng(dir.Path("rgba.png"), 4, 4, 4, RgbaSquare());
  Decoded d = Load(dir.Path("rgba.png"));
  ASSERT_NE(d.pixels, nullptr);
  EXPECT_EQ(d.width, 4);
  EXPECT_EQ(d.height, 4);
  EXPECT_EQ(d.depth, 4);
  EXPECT_EQ(d.At(3, 2, 0), 11 * 16);
  EXPECT_EQ(d.At(3, 2, 2), 255);
  EXPECT_EQ(d.At(3, 2, 3), 255 - 11);
}

class OutsidePng : public testing::Test {
protected:
  void SetUp() override {
    if (!HaveConvert()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  }
  Decoded Make(const std::string &name, const std::string &arguments) {
    std::string path = dir.Path(name);
    EXPECT_TRUE(RunConvert(arguments + " " + path)) << arguments;
    return Load(path);
  }
  ScratchDir dir;
};

// Left half red, right half blue.
const std::string kRedBlue = "-size 2x2 xc:'rgb(255,0,0)' -size 2x2 xc:'rgb(0,0,255)' +append";

void ExpectRedBlue(const Decoded &d, int width, int height) {
  ASSERT_NE(d.pixels, nullptr);
  ASSERT_EQ(d.width, width);
  ASSERT_EQ(d.height, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bool left = x < width / 2;
      EXPECT_EQ(d.At(x, y, 0), left ? 255 : 0) << x << "," << y;
      EXPECT_EQ(d.At(x, y, 1), 0) << x << "," << y;
      EXPECT_EQ(d.At(x, y, 2), left ? 0 : 255) << x << "," << y;
    }
  }
}

TEST_F(OutsidePng, GreyAndGreyAlpha) {
  Decoded grey = Make("grey.png", "-size 3x2 xc:'gray(128)' -define png:color-type=0");
  ASSERT_NE(grey.pixels, nullptr);
  EXPECT_EQ(grey.depth, 1);
  EXPECT_EQ(grey.width, 3);
  EXPECT_NEAR(grey.At(2, 1, 0), 128, 1);

  Decoded ga = Make("grey-alpha.png", "-size 2x2 xc:'rgba(128,128,128,0.5)' -define png:color-type=4");
  ASSERT_NE(ga.pixels, nullptr);
  EXPECT_EQ(ga.depth, 2);
  EXPECT_NEAR(ga.At(1, 1, 0), 128, 1);
  EXPECT_NEAR(ga.At(1, 1, 1), 128, 1);
}

TEST_F(OutsidePng, RgbAndRgba) {
  Decoded rgb = Make("rgb.png", kRedBlue + " -define png:color-type=2");
  EXPECT_EQ(rgb.depth, 3);
  ExpectRedBlue(rgb, 4, 2);

  Decoded rgba = Make("rgba.png", "-size 2x1 xc:'rgba(255,0,0,0.5)' -size 2x1 xc:'rgba(0,0,255,1)' +append "
                                  "-define png:color-type=6");
  ASSERT_NE(rgba.pixels, nullptr);
  EXPECT_EQ(rgba.depth, 4);
  EXPECT_EQ(rgba.At(0, 0, 0), 255);
  EXPECT_NEAR(rgba.At(0, 0, 3), 128, 1);
  EXPECT_EQ(rgba.At(3, 0, 2), 255);
  EXPECT_EQ(rgba.At(3, 0, 3), 255);
}

TEST_F(OutsidePng, PaletteExpandsToColour) {
  Decoded pal = Make("palette.png", kRedBlue + " -define png:color-type=3");
  EXPECT_EQ(pal.depth, 3);
  ExpectRedBlue(pal, 4, 2);
}

TEST_F(OutsidePng, SixteenBitAndInterlaced) {
  Decoded deep = Make("deep.png", kRedBlue + " -define png:bit-depth=16 -define png:color-type=2");
  EXPECT_EQ(deep.depth, 3);
  ExpectRedBlue(deep, 4, 2);

  Decoded laced = Make("laced.png", "-size 5x7 xc:'rgb(255,0,0)' -size 5x7 xc:'rgb(0,0,255)' +append -interlace PNG "
                                    "-define png:color-type=2");
  EXPECT_EQ(laced.depth, 3);
  ExpectRedBlue(laced, 10, 7);
}

} // namespace
