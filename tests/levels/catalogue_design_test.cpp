// The puzzle catalogue as the design tools make it from the picture file:
// one solution that line logic finds for every designed puzzle, each picture
// used once, difficulty growing outward from the How-To cell.
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

TEST(Catalogue, DesignedPuzzlesHaveOneSolutionThatLineLogicFindsAndComeFromThePictureFile) {
  ASSERT_EQ(Entries().size(), 224u);
  int designed = 0;
  std::map<std::string, int> uses;
  for (const EntryReport &e : Entries()) {
    EXPECT_EQ(e.solutions, e.number == 1 ? 2 : 1) << e.number; // the given first puzzle is ambiguous
    if (e.fixed) continue;
    ++designed;
    EXPECT_TRUE(e.lineSolvable && e.difficulty > 0) << "puzzle " << e.number << " needs guessing";
    if (e.number != kTwinNumber) ++uses[e.text];
  }
  EXPECT_EQ(designed, 218);
  EXPECT_EQ(Entries()[kTwinOf - 1].text, Entries()[kTwinNumber - 1].text);
  for (const FixedEntry &f : kFixedEntries) EXPECT_EQ(Entries()[f.number - 1].text, f.text);
  std::ifstream in(SourceDir() + "/tools/nonogram/pictures.txt");
  std::vector<NamedPicture> art;
  std::string error;
  ASSERT_TRUE(ParsePictures(in, art, error)) << error;
  ASSERT_EQ(art.size(), uses.size());
  for (const NamedPicture &p : art) EXPECT_EQ(uses[Encode(p.picture)], 1) << p.name << " is not in the catalogue";
}

TEST(Catalogue, DifficultyGrowsWithDistanceFromTheHowToCell) {
  const std::vector<RingMean> rings = RingMeans(Entries());
  ASSERT_EQ(rings.size(), 15u);
  const RingThirds thirds = ThirdsOf(rings);
  EXPECT_LT(thirds.inner * 1.5, thirds.middle);
  EXPECT_LT(thirds.middle * 1.5, thirds.outer);
  for (size_t i = 1; i < rings.size(); ++i)
    EXPECT_LT(rings[i - 1].meanDifficulty, rings[i].meanDifficulty + 5.0) << "distance " << rings[i].distance;
}

TEST(Catalogue, APictureFileThatEndsInsideAPictureIsToldAsSuch) {
  TempDir dir;
  WriteFile(dir / "short.txt", "= cut\n########\n........\n");
  std::vector<NamedPicture> art;
  std::string error;
  EXPECT_FALSE(ReadPictureFiles({dir / "short.txt", dir / "missing.txt"}, art, error));
  EXPECT_EQ(error, dir / "short.txt: picture \"cut\" has fewer than 8 rows");
  EXPECT_FALSE(ReadPictureFiles({dir / "missing.txt"}, art, error));
  EXPECT_EQ(error, dir / "missing.txt: cannot open");
}
