// The generated game font as the game's text rule lays it out: the ink gap
// between neighbouring letters of the game's own texts is even and never
// closes, and a narrow mark (an apostrophe, a colon, a stop) stands in the
// middle of the space around it, at each of the three resolutions.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <regex>

#include "game/menu_map.h"
#include "game/render.h"
#include "support/files.h"

namespace {

// Left and right end of each glyph's ink, in units from the pen: columns with
// anything at least a quarter opaque. A glyph without ink has none.
struct Ink {
  float left = 99, right = -99;
  bool Any() const { return left <= right; }
  float Width() const { return right - left; }
};

std::vector<Ink> MeasureFont(int m) {
  std::string path = BuildDir() + "/data/fonts/shadow_editundo" + (m == 4 ? "-hd2" : m == 2 ? "-hd" : "") + ".png";
  int w = 0, h = 0, channels = 0;
  unsigned char *rgba = stbi_load(path.c_str(), &w, &h, &channels, 4);
  if (!rgba) return {};
  std::vector<Ink> ink(256);
  int cell = 16 * m;
  for (int frame = 1; frame < 95 && (frame / 16 + 1) * cell <= h; ++frame)
    for (int x = 0; x < cell; ++x)
      for (int y = 0; y < cell; ++y) {
        if (rgba[((frame / 16 * cell + y) * w + frame % 16 * cell + x) * 4 + 3] < 64) continue;
        ink[frame + 32].left = std::min(ink[frame + 32].left, static_cast<float>(x) / m - 8);
        ink[frame + 32].right = static_cast<float>(x + 1) / m - 8;
        break;
      }
  stbi_image_free(rgba);
  return ink;
}

// The lines of every text of the game written in its sources: string
// literals, with literals that follow one another joined as the compiler
// joins them.
std::vector<std::string> WrittenLines() {
  std::vector<std::string> lines;
  const std::string one = R"re("(?:[^"\\\n]|\\.)*")re";
  const std::regex run("(?:" + one + R"(\s*)+)"), literal(one), lineBreak(R"(\\\\n)");
  for (const auto &entry : std::filesystem::recursive_directory_iterator(SourceDir() + "/game")) {
    if (!entry.is_regular_file()) continue;
    std::string source = ReadFile(entry.path().string());
    for (std::sregex_iterator it(source.begin(), source.end(), run), end; it != end; ++it) {
      std::string joined, piece = it->str();
      for (std::sregex_iterator part(piece.begin(), piece.end(), literal); part != end; ++part)
        joined += part->str().substr(1, part->length() - 2);
      for (std::sregex_token_iterator part(joined.begin(), joined.end(), lineBreak, -1), none; part != none; ++part)
        lines.push_back(*part);
    }
  }
  return lines;
}

// The sentences and exclamations (file names and codes have neither), and
// what the game puts together as it runs: every timer reading "m:ss" and the
// map's "solved/total" count.
std::vector<std::string> ShownLines(const std::vector<std::string> &written) {
  std::vector<std::string> lines;
  const std::regex exclamation("[A-Za-z]+[.!?]+");
  std::copy_if(written.begin(), written.end(), std::back_inserter(lines), [&](const std::string &s) {
    return s.find(' ') != std::string::npos || std::regex_match(s, exclamation);
  });
  char text[32];
  for (int s = 0; s < 20 * 60; ++s) {
    std::snprintf(text, sizeof text, "%d:%02d", s / 60, s % 60);
    lines.push_back(text);
  }
  for (int n = 0; n <= kPuzzles; ++n) lines.push_back(": " + std::to_string(n) + "/" + std::to_string(kPuzzles));
  return lines;
}

// Pen offset of character j from character i of a line under the text rule:
// 7 units plus the kerning of each character stepped over.
int PenDistance(const std::string &line, size_t i, size_t j) {
  int distance = 0;
  for (size_t k = i; k < j; ++k) distance += 7 + KerningOf(static_cast<unsigned char>(line[k]));
  return distance;
}

// A mark that is much narrower than the space the rule gives it.
bool IsNarrow(unsigned char c, const std::vector<Ink> &ink) {
  return std::string("':;.,!?\"|").find(static_cast<char>(c)) != std::string::npos ||
         (ink[c].Any() && ink[c].Width() * 2 < 6 + KerningOf(c));
}

} // namespace

// A narrow mark is measured from the nearest ink on each side within the
// line, across spaces, so "you'll", "1:57", "Loading..." and "Sound : Off" all count.
TEST(FontSpacing, LettersAreEvenlySpacedAndNarrowMarksStandMidwayBetweenTheirNeighbours) {
  std::vector<std::string> lines = ShownLines(WrittenLines());
  ASSERT_GT(lines.size(), 20u) << "no sentences found in " << SourceDir() << "/game";
  for (const char *text : {"Loading...", "easy to undo!", "you'll", "don't", "1:57", ": 12/"})
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [&](const std::string &line) { return line.find(text) != std::string::npos; }))
        << "the game no longer shows \"" << text << "\"";
  for (int m : {1, 2, 4}) {
    std::vector<Ink> ink = MeasureFont(m);
    ASSERT_FALSE(ink.empty()) << "x" << m << ": build the tilemarch_data target";
    std::vector<double> gaps;
    double narrowest = 99, worst = 0;
    std::string closest, where;
    int marks = 0;
    for (const std::string &line : lines)
      for (size_t i = 0; i < line.size(); ++i) {
        unsigned char a = line[i], b = line[i + 1]; // b is the terminating zero at the end
        if (std::isalpha(a) && std::isalpha(b)) {
          double gap = PenDistance(line, i, i + 1) + ink[b].left - ink[a].right;
          gaps.push_back(gap);
          if (gap < narrowest) narrowest = gap, closest = line.substr(i, 2);
        }
        if (!ink[a].Any() || !IsNarrow(a, ink)) continue;
        size_t before = i, after = i + 1;
        while (before > 0 && !ink[static_cast<unsigned char>(line[before - 1])].Any()) --before;
        while (after < line.size() && !ink[static_cast<unsigned char>(line[after])].Any()) ++after;
        if (before == 0 || after == line.size()) continue;
        unsigned char p = line[before - 1], n = line[after];
        double lead = PenDistance(line, before - 1, i) + ink[a].left - ink[p].right;
        double trail = PenDistance(line, i, after) + ink[n].left - ink[a].right;
        ++marks;
        if (std::abs(lead - trail) > worst)
          worst = std::abs(lead - trail), where = line.substr(before - 1, after - before + 2) +
                                                  "\": " + std::to_string(lead) + " before, " + std::to_string(trail) +
                                                  " after";
      }
    ASSERT_FALSE(gaps.empty());
    double mean = 0, squares = 0;
    for (double g : gaps) mean += g / gaps.size(), squares += g * g / gaps.size();
    double spread = std::sqrt(std::max(0.0, squares - mean * mean));
    std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
    EXPECT_EQ(gaps[gaps.size() / 2], 1) << "x" << m << ": median letter gap";
    EXPECT_GE(narrowest, 1) << "x" << m << ": \"" << closest << "\" closer than one unit";
    EXPECT_LE(spread, 0.5) << "x" << m << ": gap " << mean << " +- " << spread << " units over " << gaps.size();
    EXPECT_GT(marks, 100) << "x" << m;
    EXPECT_LE(worst, 1) << "x" << m << ": \"" << where;
  }
}
