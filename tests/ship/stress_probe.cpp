// The game in the real host window, reporting for the window stress test what
// a screenshot cannot show: each reload with the size it is for, the updates a
// loading run took, every change of screen state and of the pause, and the
// screen and pause state at every suspend and resume.
#include "game/flow.h"
#include "host/quill_game.h"
#include "runtime/error.h"

namespace {

class ProbeApp : public c_MyApp {
public:
  void p_OnUpdate() override {
    const bool loading = m_loadStep > 0;
    const int state = m_state, paused = m_paused;
    c_MyApp::p_OnUpdate();
    if (loading) ++loadingUpdates_;
    if (loading && m_loadStep == 0) {
      vexPrint("loaded after " + String(loadingUpdates_) + " updates");
      loadingUpdates_ = 0;
    }
    if (m_state != state) vexPrint("screen " + String(m_state));
    if (m_paused != paused) vexPrint(m_paused == 1 ? "pause on" : "pause off");
  }

  void p_OnRender() override {
    const int w = m_devW, h = m_devH;
    c_MyApp::p_OnRender();
    if (m_devW == w && m_devH == h) return;
    vexPrint("reload " + String(m_devW) + "x" + String(m_devH));
    loadingUpdates_ = 0;
  }

  void p_OnSuspend() override {
    c_MyApp::p_OnSuspend();
    Report("suspend");
  }

  void p_OnResume() override {
    c_MyApp::p_OnResume();
    Report("resume");
  }

private:
  void Report(const String &what) {
    const bool fullyIn = m_pauseSlide == static_cast<int>(vex_Tilemarch_jscrh * 0.5f);
    vexPrint(what + " state " + String(m_state) + " paused " + String(m_paused) + (fullyIn ? " shown" : " hidden"));
  }

  int loadingUpdates_ = 0;
};

} // namespace

int main(int argc, char **argv) {
  VexQuillGame::Main(argc, argv, [] { new ProbeApp(); });
  return 0;
}
