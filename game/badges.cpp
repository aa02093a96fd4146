// Badges: the text of each badge, and the pop-up banners that slide in at the
// bottom left over every screen when a badge is announced. Nothing in the game
// awards badges yet; an award sets m_badges[n] and puts n with a timer of 1
// into a free pop-up slot.
#include "game/flow.h"
#include "game/names.h"

namespace {

constexpr int kShownSlots = 13;
constexpr int kBannerWidth = 160;
constexpr int kBannerLife = 240;
constexpr int kBadgeIcons = 64;

} // namespace

String c_MyApp::p_BadgeID(int n) {
  if (n == 0) return "Test Badge|This is a Test Badge which has no purpose.";
  return "Odd Badge|This badge hasn't been defined!";
}

String c_MyApp::p_BadgeName(int n) {
  String text = p_BadgeID(n);
  int bar = text.Find("|");
  return bar < 0 ? text : text.Slice(0, bar);
}

int c_MyApp::p_GC_PostScore(int /*board*/, int /*score*/) { return 0; }

int c_MyApp::p_GC_Badges() { return 0; }

void c_MyApp::p_ShowBadges() {
  p_ResetDraw();
  m_badgeWidth = kBannerWidth;
  const int w = m_badgeWidth;
  for (int i = 0; i < kShownSlots; ++i) {
    if (m_badgeTimer[i] <= 0) continue;
    const int t = ++m_badgeTimer[i];
    int x = 16 * t - w;
    if (t > kBannerLife - w / 16) x = (kBannerLife - t) * 16 - w;
    if (x > 0) x = 0;
    if (t > kBannerLife) m_badgeTimer[i] = 0;

    const int n = m_badgeShow[i];
    const float fx = static_cast<float>(x);
    const float y = vex_Tilemarch_jscrh - 34.0f * static_cast<float>(i + 1);
    p_SetCol(0, 0, 80, 0.8f);
    p_Rect(fx, y, static_cast<float>(w), 32);
    p_SetCol(255, 255, 255, 1);
    p_Text(fx + 16, y + 4, p_BadgeName(n), 0, 0, 0);
    if (n >= 0 && n < kBadgeIcons) {
      p_SetSize(0.5f);
      p_DrawImg(kBadgesSlot, fx + static_cast<float>(w) - 16, y + 16, n);
      p_SetSize(1);
    }
  }
}
