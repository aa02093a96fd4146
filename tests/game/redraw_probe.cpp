// The game, telling on standard output which updates it runs and which frames
// it draws: "update N" for the first update that sees the mouse button down,
// and "drawn N" for a frame drawn after update N.
#include <cstdio>

#include "game/flow.h"
#include "host/quill_game.h"
#include "input/input.h"

namespace {

class RedrawProbe : public c_MyApp {
  void p_OnUpdate() override {
    ++updates;
    bool down = vex_input_MouseDown(0) != 0;
    if (down && !wasDown) std::printf("update %d\n", updates);
    wasDown = down;
    c_MyApp::p_OnUpdate();
  }
  void p_OnRender() override {
    c_MyApp::p_OnRender();
    std::printf("drawn %d\n", updates);
    std::fflush(stdout);
  }
  int updates = 0;
  bool wasDown = false;
};

} // namespace

int main(int argc, char **argv) {
  VexQuillGame::Main(argc, argv, [] { new RedrawProbe(); });
  return 0;
}
