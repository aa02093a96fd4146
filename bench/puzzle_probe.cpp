// The game itself, which goes from the map straight into puzzle 5 once its
// pictures are loaded and then runs as a player would see it, its timer
// ticking, until it is ended. For measuring a running puzzle from outside.
#include "game/flow.h"
#include "host/quill_game.h"

namespace {

class PuzzleProbe : public c_MyApp {
public:
  void p_OnUpdate() override {
    if (!started && m_loadStep == 0 && m_state == 1) {
      started = true;
      m_level = 5;
      m_state = 11;
    }
    c_MyApp::p_OnUpdate();
  }

private:
  bool started = false;
};

} // namespace

int main(int argc, char **argv) {
  VexQuillGame::Main(argc, argv, [] { new PuzzleProbe(); });
  return 0;
}
