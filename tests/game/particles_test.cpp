// The particle and star tables: freeing records, stepping, drawing at world
// minus camera, fading, and the stars' random fill.
#include <cmath>

#include "game/random.h"
#include "game_fixture.h"

namespace {

class ParticlesTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    Create();
    FinishLoading();
    app->m_drawCount = 0;
  }
  // Puts a particle of a type in record i.
  void Place(int i, float type, float x, float y, float life) {
    float *p = app->m_particles.Data() + i * 10;
    std::fill(p, p + 10, 0.0f);
    p[0] = type;
    p[1] = x;
    p[2] = y;
    p[7] = life;
  }
  float Field(int i, int f) const { return app->m_particles[i * 10 + f]; }
};

TEST_F(ParticlesTest, ResetOutsideOneTo499KeepsTheStoredMaximum) {
  for (int n : {0, 500, -3}) {
    SCOPED_TRACE(n);
    app->m_particleMax = 120;
    for (int i = 0; i < 300; ++i) Place(i, 1, 0, 0, 1);
    app->p_ResetParticles(n);
    EXPECT_EQ(app->m_particleMax, 120);
    EXPECT_EQ(Field(120, 0), 0);
    EXPECT_EQ(Field(121, 0), 1);
  }
  app->p_ResetParticles(40);
  EXPECT_EQ(app->m_particleMax, 40);
  // A negative stored maximum frees nothing.
  Place(0, 1, 0, 0, 1);
  app->m_particleMax = -1;
  app->p_ResetParticles(0);
  EXPECT_EQ(Field(0, 0), 1);
}

TEST_F(ParticlesTest, LifeAboveOneDrawsOpaqueThenFadesWithItsLife) {
  Place(0, 1, 50, 60, 1.5f);
  app->m_particles[9] = 3; // frame
  for (auto [updates, alpha] : {std::pair{1, 1.0f}, {59, 0.91f}}) {
    for (int i = 0; i < updates; ++i) {
      app->m_drawCount = 0;
      app->p_DoParticles(1);
    }
    ASSERT_EQ(Records(), 1);
    EXPECT_EQ(Rec(0, 6), 3);
    EXPECT_NEAR(Rec(0, 7), alpha, 1e-4f);
  }
}

TEST_F(ParticlesTest, CellFlashDrawsTheSixteenUnitCellUnderItAtWorldMinusCamera) {
  Place(0, 16, 37, 21, 1);
  app->m_camX = 5;
  app->m_camY = -3;
  app->p_DoParticles(1);
  ASSERT_EQ(Records(), 1);
  EXPECT_EQ(Rec(0, 0), -3717.0f);
  EXPECT_EQ(Rec(0, 1), 32);
  EXPECT_EQ(Rec(0, 2), 16);
  EXPECT_EQ(Rec(0, 4), 16);
  EXPECT_NEAR(Field(0, 7), 1 - 0.013f, 1e-6f);
  // Negative positions take the cell to their left, not toward zero.
  Place(0, 16, -1, 5, 1);
  app->m_camX = 0;
  app->m_drawCount = 0;
  app->p_DoParticles(1);
  EXPECT_EQ(Rec(0, 1), -16);
}

TEST_F(ParticlesTest, BouncingFragmentAndFreedRecords) {
  vex_random_Seed = 99;
  Place(0, 3, 0, 50, 1); // angle 0 < y: bounces upward
  app->p_DoParticles(1);
  EXPECT_GE(Field(0, 4), -3);
  EXPECT_LT(Field(0, 4), -1 + 1e-6f);
  Place(1, 4, 0, 0, 0.004f);
  Place(2, 5, 0, 0, 0.005f);
  app->p_DoParticles(1);
  EXPECT_EQ(Field(1, 0), 4); // slow fade keeps it one more update
  EXPECT_EQ(Field(2, 0), 0);
  // Records past the maximum are neither stepped nor drawn.
  app->m_particleMax = 0;
  Place(1, 1, 0, 0, 1);
  app->m_drawCount = 0;
  app->p_DoParticles(1);
  EXPECT_EQ(Field(1, 1), 0);
  EXPECT_EQ(Field(1, 7), 1);
  // A corrupt maximum stays within the table.
  app->m_particleMax = 100000;
  app->p_DoParticles(1);
}

TEST_F(ParticlesTest, StarsFillTheirRangesFromTheClock) {
  host->millis = 5000;
  app->p_ResetStars(100);
  EXPECT_EQ(app->m_starMax, 100);
  Array<float> first = app->m_stars.Slice(0, 1010);
  // Brightness, position, scale, angle and spin of every star in range.
  const float low[] = {0, -8, -8, 0.2f, 0, 0, -0.5f}, high[] = {255, 648, 488, 0.8f, 1e9f, 360, 0.5f};
  for (int i = 0; i <= 100; ++i)
    for (int f : {0, 1, 2, 3, 5, 6}) {
      float v = app->m_stars[i * 10 + f];
      ASSERT_TRUE(v >= low[f] && v <= high[f]) << i << " " << f << " " << v;
    }
  app->p_ResetStars(0);
  EXPECT_EQ(app->m_starMax, 100);
  for (int i = 0; i < 1010; ++i) ASSERT_EQ(app->m_stars[i], first[i]); // same clock, same stars
  host->millis = 5001;
  app->p_ResetStars(0);
  EXPECT_NE(app->m_stars[1], first[1]);
}

TEST_F(ParticlesTest, StartingAPuzzleFreesTheTableAndRefillsTheStars) {
  Place(200, 1, 0, 0, 1);
  app->m_particleMax = 7;
  app->m_starMax = 3;
  app->m_level = 9;
  app->m_state = 11;
  Update();
  EXPECT_EQ(app->m_particleMax, 250);
  EXPECT_EQ(Field(200, 0), 0);
  EXPECT_EQ(app->m_starMax, 100);
  EXPECT_NE(app->m_stars[100 * 10 + 3], 0);
}

} // namespace
