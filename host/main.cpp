// Process entry. Until the game object arrives, the program runs a small
// application that proves the loop: it clears the window every frame, counts
// its updates and reports them when the window loses and regains the focus.
#include <GL/gl.h>

#include "host/app.h"
#include "host/quill_game.h"
#include "runtime/error.h"

namespace {

class c_LoopApp : public c_App {
public:
  void p_OnCreate() override { vex_app_SetUpdateRate(60); }
  void p_OnUpdate() override { ++updates_; }
  void p_OnRender() override {
    glViewport(0, 0, vex_app_DeviceWidth(), vex_app_DeviceHeight());
    glClearColor(0.1f, 0.1f, 0.15f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  void p_OnSuspend() override { vexPrint("suspended after " + String(updates_) + " updates"); }
  void p_OnResume() override { vexPrint("resumed after " + String(updates_) + " updates"); }

private:
  int updates_ = 0;
};

} // namespace

int main(int argc, char **argv) {
  VexQuillGame::Main(argc, argv, [] { new c_LoopApp(); });
  return 0;
}
