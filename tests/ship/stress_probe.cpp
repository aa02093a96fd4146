// The game in the real host window, reporting for the stress and redraw tests
// what a screenshot can't show: each reload with its size, the updates the
// loading run took, changes of screen and pause, the state at suspend and
// resume, the update that first sees the mouse button down ("update N") and
// each frame drawn after update N ("drawn N").
#include "game/flow.h"
#include "host/quill_game.h"
#include "input/input.h"
#include "runtime/error.h"

namespace {

class ProbeApp : public c_MyApp {
public:
  void p_OnUpdate() override {
    const int loading = m_loadStep, state = m_state, paused = m_paused, down = vex_input_MouseDown(0) != 0;
    if (++allUpdates_, down && !wasDown_) vexPrint("update " + String(allUpdates_));
    wasDown_ = down;
    c_MyApp::p_OnUpdate();
    updates_ += loading > 0;
    if (loading > 0 && m_loadStep == 0) vexPrint("loaded after " + String(updates_) + " updates"), updates_ = 0;
    if (m_state != state) vexPrint("screen " + String(m_state));
    if (m_paused != paused) vexPrint(m_paused == 1 ? "pause on" : "pause off");
  }
  void p_OnRender() override {
    const int w = m_devW, h = m_devH;
    c_MyApp::p_OnRender();
    if (m_devW != w || m_devH != h) vexPrint("reload " + String(m_devW) + "x" + String(m_devH)), updates_ = 0;
    vexPrint("drawn " + String(allUpdates_));
  }
  void p_OnSuspend() override { c_MyApp::p_OnSuspend(), Report("suspend"); }
  void p_OnResume() override { c_MyApp::p_OnResume(), Report("resume"); }

  void Report(const String &what) {
    const bool shown = m_pauseSlide == static_cast<int>(vex_Tilemarch_jscrh * 0.5f);
    vexPrint(what + " state " + String(m_state) + " paused " + String(m_paused) + (shown ? " shown" : " hidden"));
  }
  int updates_ = 0, allUpdates_ = 0;
  bool wasDown_ = false;
};

} // namespace

int main(int argc, char **argv) {
  VexQuillGame::Main(argc, argv, [] { new ProbeApp(); });
  return 0;
}
