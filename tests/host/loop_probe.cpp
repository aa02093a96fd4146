// A host program whose application only counts updates and reports them when
// it is suspended and resumed, and its first; the windowed tests watch it
// through its output.
#include <GL/gl.h>

#include "host/app.h"
#include "host/quill_game.h"
#include "runtime/error.h"

namespace {

class c_CountingApp : public c_App {
public:
  void p_OnCreate() override {
    vex_app_SetUpdateRate(60);
    vexPrint("created");
  }
  void p_OnUpdate() override {
    if (++updates_ == 1) vexPrint("updating");
  }
  void p_OnRender() override {
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  void p_OnSuspend() override { vexPrint("suspended after " + String(updates_) + " updates"); }
  void p_OnResume() override { vexPrint("resumed after " + String(updates_) + " updates"); }

private:
  int updates_ = 0;
};

} // namespace

int main(int argc, char **argv) {
  VexQuillGame::Main(argc, argv, [] { new c_CountingApp(); });
  return 0;
}
