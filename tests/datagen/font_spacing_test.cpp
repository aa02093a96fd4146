// The generated game font as the game's text rule lays it out: the ink gap
// between neighbouring letters of the game's own sentences is even and never
// closes, at each of the three resolutions.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cctype>
#include <cmath>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "game/render.h"
#include "support/files.h"

namespace {

constexpr int kAdvance = 7, kCell = 16, kColumns = 16;
// A column is ink where anything at least a quarter opaque is drawn.
constexpr int kInkAlpha = 64;

struct Ink {
  float left = 0, right = 0; // units from the pen
  bool any = false;
};

std::vector<Ink> MeasureFont(const std::string &path, int m) {
  int w = 0, h = 0, channels = 0;
  unsigned char *rgba = stbi_load(path.c_str(), &w, &h, &channels, 4);
  std::vector<Ink> ink(128);
  if (!rgba) return {};
  int cell = kCell * m;
  for (int frame = 1; frame < 95 && (frame / kColumns + 1) * cell <= h; ++frame) {
    int x0 = frame % kColumns * cell, y0 = frame / kColumns * cell;
    for (int x = 0; x < cell; ++x) {
      bool column = false;
      for (int y = 0; y < cell && !column; ++y) column = rgba[((y0 + y) * w + x0 + x) * 4 + 3] >= kInkAlpha;
      if (!column) continue;
      Ink &g = ink[frame + 32];
      if (!g.any) g.left = static_cast<float>(x) / m - kCell / 2;
      g.right = static_cast<float>(x + 1) / m - kCell / 2;
      g.any = true;
    }
  }
  stbi_image_free(rgba);
  return ink;
}

// The lines of every text literal of the game that has a space in it.
std::vector<std::string> GameLines() {
  std::vector<std::string> lines;
  const std::regex literal(R"re("((?:[^"\\]|\\.)*)")re");
  for (const auto &entry : std::filesystem::directory_iterator(SourceDir() + "/game")) {
    std::string source = ReadFile(entry.path().string());
    for (std::sregex_iterator it(source.begin(), source.end(), literal), end; it != end; ++it) {
      std::string text = (*it)[1];
      if (text.find(' ') == std::string::npos) continue;
      for (size_t at; (at = text.find("\\\\n")) != std::string::npos;) text.replace(at, 3, "\n");
      for (size_t from = 0, to; from <= text.size(); from = to + 1) {
        to = std::min(text.find('\n', from), text.size());
        lines.push_back(text.substr(from, to - from));
      }
    }
  }
  return lines;
}

} // namespace

TEST(FontSpacing, LettersOfTheGamesSentencesAreEvenlySpaced) {
  std::vector<std::string> lines = GameLines();
  ASSERT_GT(lines.size(), 20u) << "no sentences found in " << SourceDir() << "/game";
  for (int m : {1, 2, 4}) {
    std::string path = BuildDir() + "/data/fonts/shadow_editundo" + (m == 4 ? "-hd2" : m == 2 ? "-hd" : "") + ".png";
    std::vector<Ink> ink = MeasureFont(path, m);
    ASSERT_FALSE(ink.empty()) << path << ": build the tilemarch_data target";
    double sum = 0, squares = 0;
    int count = 0;
    float narrowest = 99;
    std::string where;
    for (const std::string &line : lines) {
      for (size_t i = 0; i + 1 < line.size(); ++i) {
        unsigned char a = line[i], b = line[i + 1];
        if (!std::isalpha(a) || !std::isalpha(b)) continue;
        ASSERT_TRUE(ink[a].any && ink[b].any) << line.substr(i, 2) << " has no ink";
        float gap = kAdvance + KerningOf(a) + ink[b].left - ink[a].right;
        sum += gap;
        squares += gap * gap;
        ++count;
        if (gap < narrowest) narrowest = gap, where = line.substr(i, 2);
      }
    }
    double mean = sum / count, spread = std::sqrt(std::max(0.0, squares / count - mean * mean));
    EXPECT_GT(narrowest, 0) << "x" << m << ": \"" << where << "\" touch";
    EXPECT_LE(spread, 0.5) << "x" << m << ": gap " << mean << " +- " << spread << " units over " << count << " pairs";
  }
}
