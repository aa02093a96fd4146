// Fuzz target: whatever bytes the state file holds, read the way the game
// starts (text decoding, then the save string's three blocks).
#include "fuzz_host.h"
#include "game/flow.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size) {
  static FuzzHost host;
  // One large game object serves every input; what the load reads is made fresh.
  static c_MyApp *app = [] {
    vexInit();
    vexInitTilemarch();
    return new c_MyApp(nullptr);
  }();
  host.Hold(data, size);
  app->m_settings = Array<int>(25);
  app->m_badges = Array<bool>(256);
  app->m_scores = Array<int>(2240);
  app->p_Load();
  return 0;
}
