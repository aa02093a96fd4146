// Cost of drawing textured quads through the drawing interface: the matrix
// work of vex_graphics_DrawImage2, the batch append and the draw-call
// submission, measured on the calling thread for 10,000 quads per frame; and
// the same work without the driver, to tell our share from the OpenGL
// implementation's (under Xvfb that is Mesa's software renderer).
#include <GL/gl.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <memory>

#include "graphics/graphics.h"
#include "host/glfw_game.h"

namespace {

constexpr int kQuads = 10000;

struct Scene {
  std::unique_ptr<VexGlfwGame> host;
  std::unique_ptr<gxtkGraphics> device;
  std::shared_ptr<c_Image> image;
};

// One window and one 4-frame image for every benchmark; null without a display.
Scene *OpenScene() {
  static std::unique_ptr<Scene> scene;
  static bool tried = false;
  if (tried) return scene.get();
  tried = true;
  if (!glfwInit()) return nullptr;
  auto s = std::make_unique<Scene>();
  s->host = std::make_unique<VexGlfwGame>();
  s->host->SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  if (!s->host->Window()) return nullptr;
  GLFWwindow *window = s->host->Window();
  s->device = std::make_unique<gxtkGraphics>([window] { return window; });
  vex_graphics_SetGraphicsDevice(s->device.get());
  s->image = vex_graphics_CreateImage(8, 8, 4, c_Image::MidHandle);
  Array<int> pixels(32 * 8);
  for (int i = 0; i < pixels.Length(); ++i) pixels[i] = static_cast<int>(0xff000000u | static_cast<unsigned>(i * 997));
  s->device->WritePixels2(s->image->m_surface, pixels, 0, 0, 32, 8, 0, 32);
  scene = std::move(s);
  return scene.get();
}

template <class Draw> void RunFrames(benchmark::State &state, Draw draw) {
  Scene *scene = OpenScene();
  if (!scene) {
    state.SkipWithError("no X display or OpenGL window (run under tools/with-display.sh)");
    return;
  }
  c_Image *image = scene->image.get();
  int drawCalls = 0;
  for (auto _ : state) {
    scene->device->BeginRender();
    vex_graphics_BeginRender();
    for (int i = 0; i < kQuads; ++i) draw(image, i);
    vex_graphics_EndRender();
    scene->device->EndRender();
    drawCalls = scene->device->Stats().drawCalls;
    // Wait for the frame as a buffer swap would; the waiting is not CPU time
    // of this thread, the driver's rasterising threads are not counted.
    glFinish();
  }
  state.counters["draw_calls"] = drawCalls;
  state.counters["per_quad"] = benchmark::Counter(static_cast<double>(state.iterations()) * kQuads,
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Rotated and scaled quads, each about its own handle.
void BM_DrawImage2RotatedScaled(benchmark::State &state) {
  RunFrames(state, [](c_Image *image, int i) {
    float f = static_cast<float>(i);
    vex_graphics_DrawImage2(image, static_cast<float>(i % 640), static_cast<float>(i % 480), f * 0.7f, 0.3f, 0.25f,
                            i & 3);
  });
}
BENCHMARK(BM_DrawImage2RotatedScaled)->Unit(benchmark::kMicrosecond);

// The same quads without turning or scaling, for comparison.
void BM_DrawImageUpright(benchmark::State &state) {
  RunFrames(state, [](c_Image *image, int i) {
    vex_graphics_DrawImage(image, static_cast<float>(i % 640), static_cast<float>(i % 480), i & 3);
  });
}
BENCHMARK(BM_DrawImageUpright)->Unit(benchmark::kMicrosecond);

// Only the matrix work and the batch append: one batch's worth of quads that
// is dropped instead of being sent.
void BM_DrawImage2AppendOnly(benchmark::State &state) {
  Scene *scene = OpenScene();
  if (!scene) {
    state.SkipWithError("no X display or OpenGL window (run under tools/with-display.sh)");
    return;
  }
  c_Image *image = scene->image.get();
  constexpr int kBatch = gxtkGraphics::kMaxQuads;
  scene->device->BeginRender();
  vex_graphics_BeginRender();
  for (auto _ : state) {
    for (int i = 0; i < kBatch; ++i) {
      float f = static_cast<float>(i);
      vex_graphics_DrawImage2(image, f, f, f * 0.7f, 0.3f, 0.25f, i & 3);
    }
    benchmark::DoNotOptimize(scene->device->vertices[0]);
    scene->device->primCount = 0;
  }
  vex_graphics_EndRender();
  state.counters["per_quad"] = benchmark::Counter(static_cast<double>(state.iterations()) * kBatch,
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DrawImage2AppendOnly);

} // namespace
