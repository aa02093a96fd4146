// The end banner: two words that slide in over a dimmed screen between two
// growing bars, the hand-over to the menu, and the fade over the menu.
#include <algorithm>

#include "game/flow.h"
#include "game/names.h"

namespace {
// The update of the banner in which the game returns to the menu, and where
// the counter continues from there, falling by 2 per update.
constexpr int kBannerUpdates = 90;
constexpr int kFadeFrom = 75;
constexpr int kFadeFromWithoutMusic = 73;

struct Banner {
  const char *first, *second;
};

Banner BannerFor(int reason) {
  switch (reason) {
  case kEndSolved:
    return {"Level", "Complete"};
  case kEndOutOfTime:
    return {"Out of", "Time"};
  case kEndTutorialDone:
    return {"Good", "Luck"};
  case kEndQuit:
    return {"Quit", "Game"};
  default:
    return {"GAME", "OVER"};
  }
}
} // namespace

void c_MyApp::p_GameOver() {
  int c = m_endTimer;
  if (c > 0) {
    m_keyLatch = 1;
    m_touchLatch = 1;
    float w = vex_Tilemarch_jscrw, h = vex_Tilemarch_jscrh;
    p_SetCol(0, 0, 0, std::min(static_cast<float>(c) / 40.0f, 0.7f));
    p_Rect(-1, -1, w + 2, h + 2);

    float band = static_cast<float>(std::min(12 * c, static_cast<int>(h * 0.45f)));
    p_SetSize(1);
    p_SetCol(255, 255, 0, 0.5f);
    p_Rect(-1, h * 0.45f - 8, 2 * band, 16);
    p_SetCol(255, 128, 0, 0.5f);
    p_Rect(w - 2 * band, h * 0.55f - 8, 2 * band + 1, 16);

    Banner words = BannerFor(m_endReason);
    p_SetSize(4);
    p_SetCol(255, 180, 180, 1);
    p_Text(w * 0.35f, band, String(words.first));
    p_Text(w * 0.65f, h - band, String(words.second));
    p_ResetDraw();
  }
  if (m_state == kStatePuzzle) {
    ++m_endTimer;
    if (m_endTimer >= kBannerUpdates) {
      m_state = kStateBackToMap;
      if (vex_Tilemarch_HasMusicStream != 1) {
        m_endTimer = kFadeFromWithoutMusic;
        return;
      }
      p_StopTune();
      m_endTimer = kFadeFrom;
    }
  }
  if (m_state < kStatePuzzle) m_endTimer = std::max(0, m_endTimer - 2);
}
