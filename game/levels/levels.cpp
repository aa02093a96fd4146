// Puzzle loading (see levels.h).
#include "game/levels/levels.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "game/levels/catalogue.h"
#include "game/levels/random.h"

namespace {

constexpr int kPictureSide = 8;
constexpr int kPictureCells = kPictureSide * kPictureSide;
constexpr int kHueDraws = 101;
constexpr float kBackMax = 80.0f;

// The tutorial walks from one tile to a full frame.
const char *const kTutorialPictures[6] = {
    "0000000000000000000000000010000000000000000000000000000000000000",
    "0000000000000100000000000000000000000000000000000001000000000000",
    "0001000000010000000100000001000000010000000100000001000000010000",
    "0000000000000000000000000000000011111011000000000000000000000000",
    "0000000000000000000110000011110000111100000110000000000000000000",
    "1111111110000001100000011000000110000001100000011000000111111111",
};

int RunLength(int c) {
  if (c < 'A' || c > 'z') return 0;
  return c < 91 ? c - 64 : c - 70;
}

float BackChannel(int hue, int offset) {
  const double kDegrees = 3.14159265358979323846 / 180.0;
  const float v = static_cast<float>(std::sin((hue + offset) * kDegrees)) * kBackMax;
  return std::clamp(v, 0.0f, kBackMax);
}

} // namespace

String p_Decrunch(const String &text) {
  std::u16string out;
  const int n = text.Length();
  for (int i = 0; i < n; ++i) {
    const int count = RunLength(text[i]);
    if (count == 0) continue;
    ++i;
    if (i >= n) break;
    out.append(static_cast<size_t>(count), static_cast<char16_t>(text[i]));
  }
  return String(std::move(out));
}

String p_GetLevDat(int number) { return p_Decrunch(String(CatalogueText(number))); }

String TutorialPicture(int number) {
  if (number > -1 || number < -6) return String();
  return String(kTutorialPictures[-number - 1]);
}

String p_rstr(int value, int width, const String &pad) {
  if (width <= 0) return String(value);
  std::u16string text;
  for (int i = 0; i < width; ++i) text += pad.Units();
  text += String(value).Units();
  return String(std::move(text)).Slice(-width);
}

int PuzzleHue(int level) {
  p_SeedRnd(level);
  int hue = 0;
  for (int i = 0; i < kHueDraws; ++i) hue = p_Rand(0, 360);
  return hue;
}

void LoadLevelBoard(int level, int tutorial, const Array<float> &tmpF, const Array<float> &grid, int &gridLast) {
  tmpF[kTmpKeyStroke] = 1.0f;
  tmpF[kTmpPointerStroke] = 1.0f;
  tmpF[kTmpStickLatch] = 1.0f;

  const int hue = PuzzleHue(level);
  tmpF[kTmpBackRed] = BackChannel(hue, 0);
  tmpF[kTmpBackGreen] = BackChannel(hue, 120);
  tmpF[kTmpBackBlue] = BackChannel(hue, 240);

  gridLast = kPictureSide - 1;
  for (int cell = 0; cell < kGridSide * kGridSide; ++cell) {
    grid[cell * kGridRecord] = 0.0f;
    grid[cell * kGridRecord + 1] = 0.0f;
  }

  String picture = p_GetLevDat(level);
  if (tutorial >= -6 && tutorial <= -1) picture = TutorialPicture(tutorial);
  // A short picture leaves its missing tiles white rather than reading past it.
  const int tiles = std::min(picture.Length(), kPictureCells);
  for (int i = 0; i < tiles; ++i) {
    const int x = i % kPictureSide, y = i / kPictureSide;
    grid[(kGridSide * y + x) * kGridRecord + 1] = picture[i] == '1' ? 1.0f : 0.0f;
  }

  tmpF[kTmpCursorX] = 4.0f;
  tmpF[kTmpCursorY] = 4.0f;
  tmpF[kTmpTimeLeft] = kPuzzleTime;
}
