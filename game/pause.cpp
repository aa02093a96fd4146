// The pause menu over a running puzzle: the darkening fade, the sliding
// resume, quit and options buttons, and a two-arm pendulum toy whose arm and
// speed the direction keys change while the game waits.
#include <algorithm>
#include <cmath>

#include "game/flow.h"
#include "game/names.h"
#include "game/render.h"

namespace {

constexpr int kSlideStep = 24;
constexpr int kResumeFrame = 3, kQuitFrame = 1, kMarkerFrame = 6;
constexpr int kSelQuit = -1, kSelResume = 0, kSelOptions = 1;
constexpr float kPivotShift = 96;
constexpr float kMaxSpeed = 128;
constexpr int kTrailPoints = 102;

int Channel(float value) { return std::clamp(static_cast<int>(value), 0, 255); }

} // namespace

void c_MyApp::p_PauseMenu() {
  const float W = vex_Tilemarch_jscrw, H = vex_Tilemarch_jscrh;
  auto anyPlayer = [this](int action) { return p_PlayKeyAll(action, 1) > 0; };
  auto resume = [this] {
    m_pauseDir = -1;
    p_PlaySFX(kSoundKnock, 1, 0.5f, 0);
  };
  auto quit = [this] {
    m_paused = 0;
    m_pauseDir = -1;
    m_pauseSlide = -64;
    m_endState = 1;
    m_endReason = kEndQuit;
    p_PlaySFX(kSoundKnock, 0.5f, 0.5f, 0);
  };

  p_DoBG(kKeepBG, kKeepBG, kKeepBG, kKeepBG);
  p_SetCol(0, 0, 0, static_cast<float>(std::abs(m_pauseSlide)) / (0.8f * H));
  p_Rect(0, 0, W, H);

  if (m_pauseDir == 1 && static_cast<float>(m_pauseSlide) < H / 2) m_pauseSlide += kSlideStep;
  if (m_pauseDir == -1) {
    if (m_pauseSlide < -63) {
      m_paused = 0;
    } else {
      m_pauseSlide -= kSlideStep;
      if (m_pauseSlide < -32) m_paused = 0;
    }
  }

  // The pendulum: a first arm turning once per 360 updates, a second arm at
  // the player's speed, and the pen at the end of the second.
  const float R = std::min(0.45f * H, 0.45f * (W - kPivotShift));
  const float pivotX = W / 2 + kPivotShift, pivotY = H / 2;
  m_swingA = std::fmod(m_swingA + 1, 360.0f);
  m_swingB = std::fmod(m_swingB + m_swingSpeed, 360.0f);
  m_swingHue = std::fmod(m_swingHue + 1.5f, 360.0f);
  const float r = m_swingArm, a = m_swingA * kDegToRad, b = m_swingB * kDegToRad;
  const float penX = pivotX + (R - r) * std::sin(a) + r * std::sin(b);
  const float penY = pivotY - (R - r) * std::cos(a) - r * std::cos(b);

  if (anyPlayer(kActionUp)) m_swingArm -= 1;
  if (anyPlayer(kActionDown)) m_swingArm += 1;
  m_swingArm = std::clamp(m_swingArm, 0.0f, R);
  if (anyPlayer(kActionLeft)) m_swingSpeed -= 0.25f;
  if (anyPlayer(kActionRight)) m_swingSpeed += 0.25f;
  m_swingSpeed = std::clamp(m_swingSpeed, 0.0f, kMaxSpeed);

  p_SetCol(100, 255, 100, 0.8f);
  p_Text(W - 8, H - 8, String(static_cast<int>(m_swingSpeed)) + ":" + String(static_cast<int>(m_swingArm)), 2, 2, 0);

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

  p_SetCol(255, 255, 255, 1);
  p_SetSize(4);
  p_Text(pivotX, pivotY, "PAUSED");

  const float x0 = static_cast<float>(static_cast<int>(64 - (H / 2 - static_cast<float>(m_pauseSlide))));
  float quitX = x0, quitY = 96, optionsX = x0, optionsY = 296;
  const float resumeX = x0, resumeY = 196;
  if (m_landscape != 1) {
    quitX = static_cast<float>(static_cast<int>(W / 2 - 96));
    optionsX = static_cast<float>(static_cast<int>(W / 2 + 96));
    quitY = optionsY = static_cast<float>(m_pauseSlide - 96);
  }
  const bool confirm = anyPlayer(kActionButton1);

  p_SetSize(2);
  if (p_Button(kIconsSlot, resumeX, resumeY, kResumeFrame) != 0 && m_touchLatch == 0) {
    resume();
    m_touchLatch = 1;
  } else if (m_pauseSel == kSelResume && confirm && m_keyLatch == 0) {
    resume();
    m_keyLatch = 1;
  }

  p_SetSize(2);
  if (p_Button(kIconsSlot, quitX, quitY, kQuitFrame) != 0 && m_touchLatch == 0) {
    quit();
    m_touchLatch = 1;
  } else if (m_pauseSel == kSelQuit && confirm && m_keyLatch == 0) {
    quit();
    m_keyLatch = m_touchLatch = 1;
  }

  if (m_optionsOpen == 0) m_gearAngle += 0.2f;
  if (p_Gear(optionsX, optionsY, 1) != 0 && m_touchLatch == 0) {
    m_optionsOpen = 1;
    m_touchLatch = 1;
    p_PlaySFX(kSoundTick, 1, 1, 0);
  } else if (m_pauseSel == kSelOptions && confirm && m_keyLatch == 0) {
    m_optionsOpen = 1;
    m_keyLatch = 1;
    p_PlaySFX(kSoundKnock, 1, 0.5f, 0);
  }

  float markX = resumeX, markY = resumeY;
  if (m_pauseSel == kSelQuit) markX = quitX, markY = quitY;
  if (m_pauseSel == kSelOptions) markX = optionsX, markY = optionsY;
  p_SetCol(255, 255, 100, 1);
  p_SetSize(2.5f);
  p_DrawImg(kIconsSlot, markX, markY, kMarkerFrame);
  p_ResetDraw();

  if (m_keyLatch == 0) {
    auto select = [this](int button, float rate) {
      m_pauseSel = button;
      m_keyLatch = 1;
      p_PlaySFX(kSoundTick, rate, 0.5f, 0);
    };
    if (m_pauseSel == kSelResume && anyPlayer(kActionUp))
      select(kSelQuit, 0.8f);
    else if (m_pauseSel == kSelResume && anyPlayer(kActionDown))
      select(kSelOptions, 1.2f);
    else if (m_pauseSel == kSelQuit && anyPlayer(kActionDown))
      select(kSelResume, 0.8f);
    else if (m_pauseSel == kSelOptions && anyPlayer(kActionUp))
      select(kSelResume, 0.8f);
  }

  if (m_keyLatch == 0 && anyPlayer(kActionBack)) {
    m_keyLatch = 1;
    resume();
  }
}
