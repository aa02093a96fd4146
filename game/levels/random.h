// The game's random generator: one global seed advanced by a 32-bit linear
// congruential step. Puzzle colours are derived from it by reseeding with the
// puzzle number, so the arithmetic must stay bit-exact (32-bit wrap, single
// precision) or every puzzle changes colour.
#pragma once

// The seed; 1234 until the first p_SeedRnd.
extern int vex_random_Seed;

// Asking p_SeedRnd for this seed takes the clock instead.
constexpr int kClockSeed = -37171650;

// The clock that kClockSeed reads, in milliseconds. The game hands the
// framework's; the puzzle code alone (tools, tests) has no clock and reads 0.
void SetRandomClock(int (*millisecs)());

// Seeds the generator and stirs it with 21 steps. Returns 0.
int p_SeedRnd(int seed);

// A whole number from low to high inclusive.
int p_Rand(float low, float high);

// One step of the generator on a seed value (modulo 2^32).
int RandomStep(int seed);

// Steps the generator and gives its top 24 bits as a fraction in [0, 1),
// exactly k / 2^24.
float RandomUnit();
