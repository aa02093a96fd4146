// The designed puzzles hold to the catalogue's rules: one solution that line
// logic finds, and difficulty growing outward from the How-To cell.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "support/files.h"
#include "tools/nonogram/catalogue_report.h"
#include "tools/nonogram/fixed_entries.h"
#include "tools/nonogram/pictures.h"

using namespace nonogram;

namespace {

const std::vector<EntryReport> &Entries() {
  static const std::vector<EntryReport> entries = ReportCatalogue();
  return entries;
}

} // namespace

TEST(CatalogueQuality, DesignedPuzzlesHaveOneSolutionThatLineLogicFinds) {
  ASSERT_EQ(Entries().size(), 224u);
  int designed = 0;
  for (const EntryReport &e : Entries()) {
    EXPECT_EQ(e.decodedLength, 64) << e.number;
    EXPECT_TRUE(e.binary) << e.number;
    if (e.fixed) continue;
    ++designed;
    EXPECT_EQ(e.solutions, 1) << "puzzle " << e.number << " is ambiguous";
    EXPECT_TRUE(e.lineSolvable) << "puzzle " << e.number << " needs guessing";
    EXPECT_GT(e.difficulty, 0) << e.number;
  }
  EXPECT_EQ(designed, 218);
}

TEST(CatalogueQuality, TheGivenFirstPuzzleIsTheOneAmbiguousEntry) {
  for (const EntryReport &e : Entries()) {
    if (e.number == 1) {
      EXPECT_EQ(e.solutions, 2);
      EXPECT_FALSE(e.lineSolvable);
      EXPECT_EQ(e.difficulty, -1);
    } else {
      EXPECT_EQ(e.solutions, 1) << e.number;
    }
  }
}

TEST(CatalogueQuality, DifficultyGrowsWithDistanceFromTheHowToCell) {
  const std::vector<RingMean> rings = RingMeans(Entries());
  ASSERT_EQ(rings.size(), 15u);
  EXPECT_EQ(rings.front().distance, 1);
  EXPECT_EQ(rings.back().distance, 15);
  const RingThirds thirds = ThirdsOf(rings);
  EXPECT_LT(thirds.inner, thirds.middle);
  EXPECT_LT(thirds.middle, thirds.outer);
  // Pinned with room to spare: the outer rings are clearly harder.
  EXPECT_LT(thirds.inner * 1.5, thirds.middle);
  EXPECT_LT(thirds.middle * 1.5, thirds.outer);
  for (size_t i = 1; i < rings.size(); ++i)
    EXPECT_LT(rings[i - 1].meanDifficulty, rings[i].meanDifficulty + 5.0) << "distance " << rings[i].distance;
}

TEST(CatalogueQuality, TheTwinsShareAPictureAndNothingElseRepeats) {
  const EntryReport &a = Entries()[kTwinOf - 1], &b = Entries()[kTwinNumber - 1];
  EXPECT_EQ(a.text, b.text);
  EXPECT_FALSE(b.fixed);
  for (const FixedEntry &f : kFixedEntries) EXPECT_EQ(Entries()[f.number - 1].text, f.text);
}

TEST(CatalogueQuality, TheCatalogueIsGeneratedFromTheDesignedPictures) {
  std::ifstream in(SourceDir() + "/tools/nonogram/pictures.txt");
  ASSERT_TRUE(in);
  std::vector<NamedPicture> art;
  std::string error;
  ASSERT_TRUE(ParsePictures(in, art, error)) << error;
  std::map<std::string, int> uses;
  for (const EntryReport &e : Entries())
    if (!e.fixed && e.number != kTwinNumber) ++uses[e.text];
  ASSERT_EQ(art.size(), uses.size());
  for (const NamedPicture &p : art) EXPECT_EQ(uses[Encode(p.picture)], 1) << p.name << " is not in the catalogue";
}
