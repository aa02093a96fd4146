// The design tools' analysis: clues, the line solver, counting solutions, the
// picture files and the catalogue form, map distances.
#include <gtest/gtest.h>

#include <sstream>

#include "game/levels.h"
#include "tools/nonogram/nonogram.h"
#include "tools/nonogram/pictures.h"

using namespace nonogram;

namespace {

Picture FromRows(const char *rows) {
  Picture p{};
  for (int i = 0; i < kCells; ++i) p[i] = rows[i] == '#';
  return p;
}

} // namespace

TEST(Nonogram, CluesAreTheRunsOfEachLine) {
  const Picture p = FromRows("##.##.#."
                             "........"
                             "########"
                             "#......#"
                             "........"
                             "........"
                             "........"
                             ".......#");
  const Clues c = CluesOf(p);
  EXPECT_EQ(c.rows[0], (std::vector<int>{2, 2, 1}));
  EXPECT_TRUE(c.rows[1].empty());
  EXPECT_EQ(c.rows[2], (std::vector<int>{8}));
  EXPECT_EQ(c.cols[0], (std::vector<int>{1, 2}));
  EXPECT_EQ(c.cols[7], (std::vector<int>{2, 1}));
}

TEST(Nonogram, SolutionCountsAndLineLogic) {
  // Two tiles on a diagonal: the swapped diagonal fits the same clues.
  const Analysis swap = Analyze(FromRows("#......."
                                         ".#......"
                                         "........"
                                         "........"
                                         "........"
                                         "........"
                                         "........"
                                         "........"));
  EXPECT_EQ(swap.solutions, 2);
  EXPECT_FALSE(swap.lineSolvable);
  EXPECT_EQ(swap.difficulty, -1);

  // A full board follows from the clues in one round.
  Picture full;
  full.fill(true);
  const Analysis f = Analyze(full);
  EXPECT_EQ(f.solutions, 1);
  EXPECT_TRUE(f.lineSolvable);
  EXPECT_EQ(f.lines.rounds, 1);
  EXPECT_EQ(f.difficulty, 2);

  // A unique picture that line logic cannot finish: it needs a guess.
  const Analysis stuck = Analyze(FromRows("..###..."
                                          ".###...."
                                          "###....."
                                          "###....."
                                          "###....."
                                          "###....."
                                          ".###...."
                                          "..###..."));
  EXPECT_EQ(stuck.solutions, 1);
  EXPECT_FALSE(stuck.lineSolvable);
}

TEST(Nonogram, DifficultyCountsRoundsAndReasonedLines) {
  // The rows' overlap reasoning only finishes with help from the columns.
  const Analysis easy = Analyze(FromRows("########"
                                         "########"
                                         "........"
                                         "........"
                                         "........"
                                         "........"
                                         "........"
                                         "........"));
  const Analysis harder = Analyze(FromRows("..####.."
                                           ".##..##."
                                           "##....##"
                                           "#..##..#"
                                           "#..##..#"
                                           "##....##"
                                           ".##..##."
                                           "..####.."));
  ASSERT_TRUE(easy.lineSolvable);
  if (harder.lineSolvable) {
    EXPECT_LT(easy.difficulty, harder.difficulty);
  }
  EXPECT_EQ(easy.lines.reasonedSteps, 0);
}

TEST(Nonogram, EncodingRoundTripsThroughTheGameDecoder) {
  Picture empty{};
  EXPECT_EQ(Encode(empty), "z0L0");
  EXPECT_EQ(p_Decrunch(String(Encode(empty).c_str())).ToNarrow(), std::string(64, '0'));

  Picture stripes{};
  for (int i = 0; i < kCells; i += 2) stripes[i] = true;
  const std::string text = Encode(stripes);
  EXPECT_EQ(text.substr(0, 21), "A1A0A1A0A1A0A1A0A1A0 ");
  std::string bits = p_Decrunch(String(text.c_str())).ToNarrow();
  ASSERT_EQ(PictureFromBits(bits), stripes);

  Picture mixed = FromRows("........"
                           "...##..."
                           "..####.."
                           ".######."
                           "########"
                           "..#..#.."
                           "..#..#.."
                           "........");
  bits = p_Decrunch(String(Encode(mixed).c_str())).ToNarrow();
  EXPECT_EQ(PictureFromBits(bits), mixed);
  EXPECT_EQ(Encode(mixed).substr(0, 4), "K0B1");
}

TEST(Nonogram, PictureFilesAreReadStrictly) {
  std::istringstream good("; a comment\n\n= dot\n#.......\n........\n........\n........\n"
                          "........\n........\n........\n.......#\n= full\n"
                          "########\n########\n########\n########\n########\n########\n########\n########\n");
  std::vector<NamedPicture> pictures;
  std::string error;
  ASSERT_TRUE(ParsePictures(good, pictures, error)) << error;
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].name, "dot");
  EXPECT_TRUE(pictures[0].picture[0] && pictures[0].picture[63] && !pictures[0].picture[1]);
  EXPECT_EQ(pictures[1].line, 12);

  for (const char *bad :
       {"= short\n########\n", "........\n", "= wide\n#########\n", "= odd\n#######x\n", "=nospace\n"}) {
    std::istringstream in(bad);
    std::vector<NamedPicture> out;
    EXPECT_FALSE(ParsePictures(in, out, error)) << bad;
    EXPECT_FALSE(error.empty());
  }
  EXPECT_FALSE(PictureFromBits(std::string(63, '0')));
  EXPECT_FALSE(PictureFromBits(std::string(63, '0') + "2"));
}

TEST(Nonogram, MapDistanceCountsStepsFromTheHowToCell) {
  EXPECT_EQ(MapDistance(111), 1); // left of the How-To cell
  EXPECT_EQ(MapDistance(112), 1); // right of it
  EXPECT_EQ(MapDistance(97), 1);  // above
  EXPECT_EQ(MapDistance(126), 1); // below
  EXPECT_EQ(MapDistance(1), 13);
  EXPECT_EQ(MapDistance(15), 15);
  EXPECT_EQ(MapDistance(224), 15);
  EXPECT_EQ(MapDistance(100), 4);
}
