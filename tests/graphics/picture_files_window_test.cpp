// Pictures read from files keep no copy of their pixels, yet draw the same
// after the window (and its context) is re-made, and when read on first draw.
#include <GL/gl.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include "graphics/graphics_device.h"
#include "host/glfw_game.h"
#include "support/files.h"

namespace {

TEST(PictureFiles, DrawFromTheFileAfterANewContextAndOnFirstDraw) {
  if (!std::getenv("DISPLAY") || !glfwInit()) GTEST_SKIP() << "no display";
  TempDir dir;
  const std::string file = dir / "red.png";
  const unsigned char red[16] = {255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
  ASSERT_TRUE(stbi_write_png(file.c_str(), 2, 2, 4, red, 8));
  // Another suite's window stays the host's when this test is over.
  struct Restore {
    VexGlfwGame *host = VexGlfwGame::_glfwGame;
    ~Restore() {
      VexGlfwGame::_glfwGame = host;
      if (host) glfwMakeContextCurrent(host->Window());
    }
  } restore;
  VexGlfwGame host;
  host.SetGlfwWindow(64, 64, 8, 8, 8, 0, 0, 0, false);
  gxtkGraphics device([&] { return host.Window(); });
  auto eager = device.LoadSurface(String::FromUtf8(file));
  auto onDemand = device.LoadSurfaceOnDemand(String::FromUtf8(file));
  ASSERT_TRUE(eager);
  ASSERT_TRUE(onDemand);
  EXPECT_EQ(onDemand->texture, 0u) << "read before it is drawn";
  auto drawsRed = [&](const std::shared_ptr<gxtkSurface> &surface) {
    device.BeginRender();
    device.Cls(0, 0, 255);
    device.DrawSurface(surface, 10, 10);
    device.EndRender();
    unsigned char pixel[4] = {};
    glReadPixels(11, 64 - 12, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 0;
  };
  for (int context = 1; context <= 2; ++context) {
    EXPECT_TRUE(drawsRed(eager)) << "context " << context;
    EXPECT_TRUE(drawsRed(onDemand)) << "context " << context;
    EXPECT_FALSE(eager->data) << "a pixel copy kept in context " << context;
    EXPECT_FALSE(onDemand->data) << "a pixel copy kept in context " << context;
    host.SetGlfwWindow(64, 64, 8, 8, 8, 0, 0, 0, false);
  }
}

} // namespace
