// The pendulum toy behind the pause menu: a first arm turning once per 360
// updates, a second arm at the player's speed, and the rainbow trail of the
// pen at its end. The direction keys change the second arm's length and speed
// while the game waits.
#include <algorithm>
#include <cmath>

#include "game/flow.h"
#include "game/names.h"
#include "game/render.h"
#include "runtime/angle.h"

namespace {

constexpr float kPivotShift = 96;
constexpr float kMaxSpeed = 128;
constexpr int kTrailPoints = 102;

int Channel(float value) { return std::clamp(static_cast<int>(value), 0, 255); }

} // namespace

ScreenPoint c_MyApp::SwingPendulum() {
  const float W = vex_Tilemarch_jscrw, H = vex_Tilemarch_jscrh;
  const float R = std::min(0.45f * H, 0.45f * (W - kPivotShift));
  const ScreenPoint pivot{W / 2 + kPivotShift, H / 2};
  m_swingA = std::fmod(m_swingA + 1, 360.0f);
  m_swingB = std::fmod(m_swingB + m_swingSpeed, 360.0f);
  m_swingHue = std::fmod(m_swingHue + 1.5f, 360.0f);
  const float r = m_swingArm, a = m_swingA * kDegToRad, b = m_swingB * kDegToRad;
  const float penX = pivot.x + (R - r) * std::sin(a) + r * std::sin(b);
  const float penY = pivot.y - (R - r) * std::cos(a) - r * std::cos(b);

  if (AnyPlayerHolds(kActionUp)) m_swingArm -= 1;
  if (AnyPlayerHolds(kActionDown)) m_swingArm += 1;
  m_swingArm = std::clamp(m_swingArm, 0.0f, R);
  if (AnyPlayerHolds(kActionLeft)) m_swingSpeed -= 0.25f;
  if (AnyPlayerHolds(kActionRight)) m_swingSpeed += 0.25f;
  m_swingSpeed = std::clamp(m_swingSpeed, 0.0f, kMaxSpeed);

  p_SetCol(100, 255, 100, 0.8f);
  p_Text(W - 8, H - 8, String(static_cast<int>(m_swingSpeed)) + ":" + String(static_cast<int>(m_swingArm)), 2, 2, 0);
  DrawPendulumTrail(penX, penY);
  return pivot;
}

// The trail moves one point along per update, the newest at its end.
void c_MyApp::DrawPendulumTrail(float penX, float penY) {
  Array<float> &trail = m_swingTrail;
  // A trail never drawn holds zeros: start it at the pen, not with segments
  // from the screen's corner.
  if (trail[0] == 0 && trail[1] == 0 && trail[2] == 0 && trail[3] == 0) {
    for (int i = 0; i < kTrailPoints; ++i) {
      trail[2 * i] = penX;
      trail[2 * i + 1] = penY;
    }
  }
  trail[2 * (kTrailPoints - 1)] = penX;
  trail[2 * (kTrailPoints - 1) + 1] = penY;
  for (int i = 0; i < kTrailPoints - 1; ++i) {
    const float fi = static_cast<float>(i);
    const float h = (m_swingHue + 2 * fi) * kDegToRad;
    p_SetCol(static_cast<float>(Channel(fi * std::sin(h) + fi)), static_cast<float>(Channel(fi + fi * std::cos(h))),
             static_cast<float>(Channel(fi - fi * std::cos(h))), 1);
    const float x1 = trail[2 * i], y1 = trail[2 * i + 1], x2 = trail[2 * i + 2], y2 = trail[2 * i + 3];
    p_Line(x1, y1, x2, y2);
    p_Line(x1 - 0.5f, y1 - 0.5f, x2 - 0.5f, y2 - 0.5f);
    trail[2 * i] = x2;
    trail[2 * i + 1] = y2;
  }
}
