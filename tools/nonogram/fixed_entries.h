// The catalogue entries whose pictures are given rather than designed here, and
// the one pair of numbers that share a picture.
#pragma once

namespace nonogram {

struct FixedEntry {
  int number;
  const char *text;
};

inline constexpr FixedEntry kFixedEntries[] = {
    {1, "U0A1F0A1A0A1D0A1B0A1 C0A1D0C1E0A1H0"},
    {2, "J0A1D0A1B0A1D0A1B0G1 B0A1B0A1A0H1P0"},
    {43, "a0C1D0E1A0I1A0F1H0"},
    {100, "C0A1F0C1F0A1F0A1A0A1 C0H1A0A1D0A1B0A1D0A1 B0A1D0A1A0"},
    {223, "B0E1C0A1A0A1A0A1C0A1 A0A1A0A1C0A1A0A1A0A1 C0A1A0A1A0A1D0A1A0A1 F0A1K0"},
};

inline constexpr const char *kFallbackText = "Q0C1A0C1C0A1A0A1E0A1 A0A1F0A1F0C1F0A1C0";

// Puzzle kTwinNumber shows the picture of kTwinOf.
inline constexpr int kTwinOf = 87;
inline constexpr int kTwinNumber = 101;

inline bool IsFixed(int number) {
  for (const FixedEntry &e : kFixedEntries)
    if (e.number == number) return true;
  return false;
}

} // namespace nonogram
