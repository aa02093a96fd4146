// Costs of the game object's presentation work on the calling thread: laying
// out a 60-character line of text into the display list, replaying a full list
// of 2500 image records of one slot through the real batch renderer (in a
// window; the draw_calls counter shows how many draw calls the batch made),
// and one update of the loading screen.
#include <GL/gl.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <memory>

#include "game/flow.h"
#include "game/framework_devices.h"
#include "game/names.h"
#include "graphics/graphics.h"
#include "graphics/graphics_device.h"
#include "graphics/image.h"
#include "host/glfw_game.h"

namespace {

// The framework's devices, with the drawing optionally cut off before the
// graphics module, to tell the game's share of a replay from the renderer's.
class SwitchableDevices : public FrameworkDevices {
public:
  bool drawing = true;
  int imagesDrawn = 0;
  void SetColor(float r, float g, float b) override {
    if (drawing) FrameworkDevices::SetColor(r, g, b);
  }
  void SetAlpha(float alpha) override {
    if (drawing) FrameworkDevices::SetAlpha(alpha);
  }
  void SetBlend(int blend) override {
    if (drawing) FrameworkDevices::SetBlend(blend);
  }
  void DrawRect(float x, float y, float w, float h) override {
    if (drawing) FrameworkDevices::DrawRect(x, y, w, h);
  }
  void DrawImage(const GameImage &image, float x, float y, float rotation, float scaleX, float scaleY,
                 int frame) override {
    ++imagesDrawn;
    if (drawing) FrameworkDevices::DrawImage(image, x, y, rotation, scaleX, scaleY, frame);
  }
};

struct Scene {
  std::shared_ptr<SwitchableDevices> devices = std::make_shared<SwitchableDevices>();
  std::unique_ptr<VexGlfwGame> host;
  std::unique_ptr<gxtkGraphics> device;
  c_MyApp *app = nullptr;
  bool window = false;
};

// One host, one game object and, with a display, one window for every
// benchmark (a process holds one application object).
Scene &OpenScene() {
  static Scene scene;
  static bool opened = false;
  if (opened) return scene;
  opened = true;
  glfwInit();
  scene.host = std::make_unique<VexGlfwGame>();
  scene.host->SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  scene.window = scene.host->Window() != nullptr;
  vexInit();
  vexInitTilemarch();
  if (scene.window) {
    scene.device = std::make_unique<gxtkGraphics>([] { return scene.host->Window(); });
    vex_graphics_SetGraphicsDevice(scene.device.get());
  }
  vex_app_ValidateDeviceWindow(false);
  scene.app = new c_MyApp(scene.devices);
  c_MyApp &app = *scene.app;
  // The game font's metrics, as the loader leaves them.
  app.m_font = kFontSlot;
  app.m_imageInfo[kFontSlot * 3] = 7;
  app.m_imageInfo[kFontSlot * 3 + 1] = 10;
  app.m_imageInfo[kFontSlot * 3 + 2] = 128;
  return scene;
}

void BM_TextLine60(benchmark::State &state) {
  c_MyApp &app = *OpenScene().app;
  String line("Solve the picture before the timer runs out, then try again.");
  for (auto _ : state) {
    app.m_drawCount = 0;
    app.p_Text(320, 240, line);
    benchmark::DoNotOptimize(app.m_drawCount);
  }
  state.counters["chars"] = line.Length();
}
BENCHMARK(BM_TextLine60)->Unit(benchmark::kNanosecond);

void FillListWithOneSlot(c_MyApp &app) {
  app.m_images[kFirstSheetSlot] = vex_graphics_CreateImage(64, 64, 16, c_Image::MidHandle);
  app.p_DoBG(0, 0, 0, 1);
  for (int i = 0; i < 2500; ++i) {
    app.p_SetSize(0.25f + static_cast<float>(i % 7) * 0.1f);
    app.p_DrawImg(kFirstSheetSlot, static_cast<float>(i % 640), static_cast<float>((i * 7) % 480), i % 16);
  }
}

// The whole replay: the game's loop, the drawing module and the batch, with
// the driver's work on this thread (Mesa's software renderer under Xvfb).
void BM_ReplayFullListOneSlot(benchmark::State &state) {
  Scene &scene = OpenScene();
  if (!scene.window) {
    state.SkipWithError("no X display or OpenGL window (run under tools/with-display.sh)");
    return;
  }
  c_MyApp &app = *scene.app;
  FillListWithOneSlot(app);
  scene.devices->drawing = true;
  int drawCalls = 0;
  for (auto _ : state) {
    scene.device->BeginRender();
    vex_graphics_BeginRender();
    app.p_OnRender();
    vex_graphics_EndRender();
    scene.device->EndRender();
    drawCalls = scene.device->Stats().drawCalls;
    // The driver's rasterising is not this thread's time.
    glFinish();
  }
  state.counters["records"] = app.m_drawCount;
  state.counters["draw_calls"] = drawCalls;
}
BENCHMARK(BM_ReplayFullListOneSlot)->Unit(benchmark::kMicrosecond);

// The game's own share of the same replay: fit, frame timing and the walk over
// the records, stopping at the drawing module.
void BM_ReplayFullListGameShare(benchmark::State &state) {
  Scene &scene = OpenScene();
  if (!scene.window) {
    state.SkipWithError("no X display or OpenGL window (run under tools/with-display.sh)");
    return;
  }
  c_MyApp &app = *scene.app;
  FillListWithOneSlot(app);
  scene.devices->drawing = false;
  scene.devices->imagesDrawn = 0;
  for (auto _ : state) app.p_OnRender();
  state.counters["images"] = benchmark::Counter(scene.devices->imagesDrawn, benchmark::Counter::kAvgIterations);
  scene.devices->drawing = true;
}
BENCHMARK(BM_ReplayFullListGameShare)->Unit(benchmark::kMicrosecond);

void BM_LoadingScreenUpdate(benchmark::State &state) {
  c_MyApp &app = *OpenScene().app;
  for (auto _ : state) {
    // The last step loads nothing: the update is the skeleton and the screen.
    app.m_loadStep = 24;
    app.p_OnUpdate();
    benchmark::DoNotOptimize(app.m_drawCount);
  }
}
BENCHMARK(BM_LoadingScreenUpdate)->Unit(benchmark::kMicrosecond);

} // namespace
