// The particle table (fragments, cell flashes and floating numbers), stepped
// and drawn once per puzzle update, and the star table refilled per puzzle.
#include <algorithm>
#include <cmath>

#include "game/flow.h"
#include "game/levels/random.h"
#include "game/names.h"

namespace {
constexpr int kRecord = 10;
constexpr int kMaxRecords = 5100 / kRecord;

enum ParticleField { kType, kX, kY, kVX, kVY, kAngle, kSpin, kLife, kColour, kFrame };

float RandomIn(float low, float high) { return low + RandomUnit() * (high - low); }

// n when it is 1..499, else the stored maximum; the records stop short of the
// end of the table whatever the field holds.
int TakeMax(int n, int &stored) {
  if (n >= 1 && n <= 499) stored = n;
  return std::min(stored, kMaxRecords - 1);
}
} // namespace

void c_MyApp::p_ResetParticles(int n) {
  int last = TakeMax(n, m_particleMax);
  for (int i = 0; i <= last; ++i) m_particles[i * kRecord + kType] = 0;
}

void c_MyApp::p_ResetStars(int n) {
  p_SeedRnd(kClockSeed);
  int last = TakeMax(n, m_starMax);
  for (int i = 0; i <= last; ++i) {
    float *star = m_stars.Data() + i * kRecord;
    star[0] = static_cast<float>(p_Rand(0, 255));
    star[1] = RandomIn(-8, vex_Tilemarch_jscrw + 8);
    star[2] = RandomIn(-8, vex_Tilemarch_jscrh + 8);
    star[3] = RandomIn(0.2f, 0.8f);
    star[5] = RandomIn(0, 360);
    star[6] = RandomIn(-0.5f, 0.5f);
  }
}

void c_MyApp::p_DoParticles(float size) {
  p_ResetDraw();
  int last = std::min(m_particleMax, kMaxRecords - 1);
  for (int i = 0; i <= last; ++i) {
    float *p = m_particles.Data() + i * kRecord;
    float type = p[kType];
    if (type <= 0) continue;
    p[kX] += p[kVX];
    p[kY] += p[kVY];
    p[kAngle] += p[kSpin];
    p_SetRot(type == 99 ? 0 : p[kAngle]);
    if (type == 2) {
      p[kVX] *= 0.95f;
      p[kVY] += 0.2f;
    } else if (type == 3) {
      p[kVX] *= 0.98f;
      p[kVY] += 0.2f;
      if (p[kAngle] < p[kY]) p[kVY] = RandomIn(-3, -1);
    }
    p_Alpha(std::min(p[kLife], 1.0f));
    p_SetSize(size, size);
    p_Ink(static_cast<int>(p[kColour]), 1);
    float x = p[kX] - m_camX, y = p[kY] - m_camY;
    if (type >= 1 && type <= 9)
      p_DrawImg(kParticlesSlot, x, y, static_cast<int>(p[kFrame]));
    else if (type == 16)
      p_Rect(std::floor(x / 16) * 16, std::floor(y / 16) * 16, 16, 16);
    else if (type == 99)
      p_Text(x, y, String(static_cast<int>(p[kFrame])));
    p[kLife] -= type == 4 ? 0.003f : type == 16 ? 0.013f : 0.01f;
    if (p[kLife] < 0) p[kType] = 0;
  }
  p_ResetDraw();
}
