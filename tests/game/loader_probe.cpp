// The game object in the real host window, reporting what the windowed tests
// cannot see: every picture file it loads, how many updates a loading run
// takes, and each reload that a change of window size starts.
#include "game/flow.h"
#include "game/framework_devices.h"
#include "host/quill_game.h"
#include "runtime/error.h"

namespace {

class LoggingDevices : public FrameworkDevices {
public:
  GameImage LoadImage(const String &path, int frameWidth, int frameHeight, int frames, int flags) override {
    vexPrint("image " + path);
    return FrameworkDevices::LoadImage(path, frameWidth, frameHeight, frames, flags);
  }
};

class ProbeApp : public c_MyApp {
public:
  ProbeApp() : c_MyApp(std::make_shared<LoggingDevices>()) {}

  void p_OnUpdate() override {
    bool loading = m_loadStep > 0;
    c_MyApp::p_OnUpdate();
    if (!loading) return;
    ++loadingUpdates_;
    if (m_loadStep == 0) {
      vexPrint("loaded after " + String(loadingUpdates_) + " updates");
      loadingUpdates_ = 0;
    }
  }

  void p_OnRender() override {
    int before = m_loadStep;
    c_MyApp::p_OnRender();
    if (before == 0 && m_loadStep == 1) vexPrint("reload " + String(m_devW) + "x" + String(m_devH));
  }

private:
  int loadingUpdates_ = 0;
};

} // namespace

int main(int argc, char **argv) {
  VexQuillGame::Main(argc, argv, [] { new ProbeApp(); });
  return 0;
}
