// The game object in the real host window, on the framework's real devices,
// that starts puzzle 5 by itself as soon as its loading has finished, so that
// the windowed board test does not depend on finding its way through the map.
#include "game/flow.h"
#include "host/quill_game.h"
#include "runtime/error.h"

namespace {

class ProbeApp : public c_MyApp {
public:
  void p_OnUpdate() override {
    c_MyApp::p_OnUpdate();
    if (started_ || m_loadStep != 0 || m_state != 1) return;
    started_ = true;
    m_level = 5;
    m_state = 11;
    vexPrint("puzzle started");
  }

private:
  bool started_ = false;
};

} // namespace

int main(int argc, char **argv) {
  VexQuillGame::Main(argc, argv, [] { new ProbeApp(); });
  return 0;
}
