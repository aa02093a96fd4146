// The game itself with the real graphics device, stepped through the map, the
// map with its cursor moving over every cell, a running puzzle, the pause menu and the options box. On each screen it
// lets the screen settle, then looks at 60 rendered frames and prints
//   frames SCREEN draw_calls MEDIAN max MAX limit LIMIT over N
// where LIMIT is, for the frame with the most draw calls, the number of image
// and shape changes in the order of its display list (the least the batch
// renderer can do), and N counts frames that needed more than their own limit.
// Then it ends. The window must have the focus, or the game stays suspended.
// Every update asks for a frame, as a still screen would otherwise draw none.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "game/flow.h"
#include "game/render.h"
#include "graphics/graphics.h"
#include "graphics/graphics_device.h"
#include "host/glfw_game.h"
#include "host/quill_game.h"

namespace {

constexpr int kSettleUpdates = 90;
constexpr size_t kFrames = 60;
constexpr int kMapSize = 15;
constexpr size_t kCells = kMapSize * kMapSize;
constexpr int kVerticesPerBatch = gxtkGraphics::kMaxVertices;

struct Frame {
  int drawCalls;
  int limit;
};

class FramesProbe : public c_MyApp {
public:
  void p_OnRender() override {
    renderedLimit = ChangesInList();
    c_MyApp::p_OnRender();
    ++renders;
  }

  void p_OnUpdate() override {
    if (m_loadStep == 0) Step();
    c_MyApp::p_OnUpdate();
    // A still screen is drawn once; the probe wants each update's frame.
    VexGlfwGame::_glfwGame->Redraw();
  }

private:
  // Draw calls the list needs at the least: the background fill, then one per
  // run of records of one image or one shape kind (and per full vertex
  // buffer); every oval is a polygon of its own.
  int ChangesInList() {
    int batches = 1;
    float key = 0;
    int vertices = 0;
    bool open = false;
    for (int at = 0; at < m_drawCount; ++at) {
      float kind = m_drawList[at].kind;
      int need;
      if (kind == kKindRect) {
        need = 4;
      } else if (kind == kKindLine) {
        need = 2;
      } else if (kind == kKindOval) {
        ++batches;
        open = false;
        continue;
      } else if (kind > -1 && kind < 100 && m_images[static_cast<int>(kind)]) {
        need = 4;
      } else {
        continue;
      }
      if (!open || kind != key || vertices + need > kVerticesPerBatch) {
        ++batches;
        open = true;
        key = kind;
        vertices = 0;
      }
      vertices += need;
    }
    return batches;
  }

  // Runs once per update with loading done: moves through the screens and
  // samples the frame rendered since the last sample.
  void Step() {
    ++updates;
    if (updates > kSettleUpdates && renders != sampledRenders) {
      sampledRenders = renders;
      frames.push_back({vex_graphics_GetGraphicsDevice()->Stats().drawCalls, renderedLimit});
    }
    if (screen == 1) {
      // The cursor on every cell in turn, the view following as it does.
      int cell = static_cast<int>(frames.size()) % kCells;
      m_menuX = cell % kMapSize;
      m_menuY = cell / kMapSize;
    }
    if (frames.size() < (screen == 1 ? kCells : kFrames)) return;
    Report();
    frames.clear();
    updates = 0;
    ++screen;
    if (screen == 2) {
      m_level = 5;
      m_state = 11;
    } else if (screen == 3) {
      m_paused = 1;
      m_pauseDir = 1;
      m_pauseSel = 0;
    } else if (screen == 4) {
      m_optionsOpen = 1;
    } else if (screen > 4) {
      std::fflush(stdout);
      std::_Exit(0);
    }
  }

  void Report() {
    static const char *const kScreens[] = {"map", "map-sweep", "board", "pause", "options"};
    std::vector<int> calls;
    int over = 0;
    const Frame *most = &frames[0];
    for (const Frame &f : frames) {
      calls.push_back(f.drawCalls);
      if (f.drawCalls > f.limit) ++over;
      if (f.drawCalls > most->drawCalls) most = &f;
    }
    std::sort(calls.begin(), calls.end());
    std::printf("frames %s draw_calls %d max %d limit %d over %d\n", kScreens[screen], calls[calls.size() / 2],
                most->drawCalls, most->limit, over);
  }

  int updates = 0;
  int screen = 0;
  int renders = 0;
  int sampledRenders = 0;
  int renderedLimit = 0;
  std::vector<Frame> frames;
};

} // namespace

int main(int argc, char **argv) {
  VexQuillGame::Main(argc, argv, [] { new FramesProbe(); });
  return 0;
}
