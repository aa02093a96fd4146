// The generated game font as the game's text rule lays it out: the ink gap
// between neighbouring letters of the game's own sentences is even and never
// closes, at each of the three resolutions.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cmath>
#include <filesystem>
#include <regex>

#include "game/render.h"
#include "support/files.h"

namespace {

// Left and right end of each glyph's ink, in units from the pen: columns with
// anything at least a quarter opaque.
struct Ink {
  float left = 99, right = -99;
};

std::vector<Ink> MeasureFont(const std::string &path, int m) {
  int w = 0, h = 0, channels = 0;
  unsigned char *rgba = stbi_load(path.c_str(), &w, &h, &channels, 4);
  if (!rgba) return {};
  std::vector<Ink> ink(128);
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

// The lines of every text literal of the game that has a space in it.
std::vector<std::string> GameLines() {
  std::vector<std::string> lines;
  const std::regex literal(R"re("((?:[^"\\]|\\.)*)")re"), lineBreak(R"(\\\\n)");
  for (const auto &entry : std::filesystem::recursive_directory_iterator(SourceDir() + "/game")) {
    if (!entry.is_regular_file()) continue;
    std::string source = ReadFile(entry.path().string());
    for (std::sregex_iterator it(source.begin(), source.end(), literal), end; it != end; ++it) {
      std::string text = (*it)[1];
      if (text.find(' ') == std::string::npos) continue;
      for (std::sregex_token_iterator part(text.begin(), text.end(), lineBreak, -1), none; part != none; ++part)
        lines.push_back(*part);
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
    double sum = 0, squares = 0, narrowest = 99;
    int count = 0;
    std::string where;
    for (const std::string &line : lines)
      for (size_t i = 0; i + 1 < line.size(); ++i) {
        unsigned char a = line[i], b = line[i + 1];
        if (!std::isalpha(a) || !std::isalpha(b)) continue;
        // The text rule: glyphs centred on pens 7 units plus the kerning apart.
        double gap = 7 + KerningOf(a) + ink[b].left - ink[a].right;
        sum += gap, squares += gap * gap, ++count;
        if (gap < narrowest) narrowest = gap, where = line.substr(i, 2);
      }
    double mean = sum / count, spread = std::sqrt(std::max(0.0, squares / count - mean * mean));
    EXPECT_GT(narrowest, 0) << "x" << m << ": \"" << where << "\" touch";
    EXPECT_LE(spread, 0.5) << "x" << m << ": gap " << mean << " +- " << spread << " units over " << count << " pairs";
  }
}
