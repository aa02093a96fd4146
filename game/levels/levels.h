// Puzzle loading: the run-length decoder, the catalogue lookup, the tutorial
// pictures, and filling the board's cell store and per-puzzle values for a
// puzzle. Plain code over runtime arrays, so it runs without a window.
#pragma once

#include "runtime/array.h"
#include "runtime/string.h"

// Cell store geometry: 32 x 32 records of 10 floats; entry 0 the player's mark,
// entry 1 the solution.
constexpr int kGridSide = 32;
constexpr int kGridRecord = 10;
// Per-puzzle entries of the game's scratch floats.
constexpr int kTmpCursorX = 1;
constexpr int kTmpCursorY = 2;
constexpr int kTmpKeyStroke = 6;
constexpr int kTmpPointerStroke = 7;
constexpr int kTmpStickLatch = 8;
constexpr int kTmpTimeLeft = 98;
constexpr int kTmpBackRed = 360;
constexpr int kTmpBackGreen = 361;
constexpr int kTmpBackBlue = 362;
// Updates a puzzle lasts: two minutes at 60 per second.
constexpr float kPuzzleTime = 7200.0f;

// Each pair of a count character (A..Z = 1..26, a..z = 27..52) and a value
// character stands for the value repeated count times; other characters where a
// count is expected are skipped, and a count with nothing after it gives nothing.
String p_Decrunch(const String &text);

// The 64-character picture ('1' black, '0' white, rows top first) of puzzle
// number; numbers outside the catalogue give the fallback picture.
String p_GetLevDat(int number);

// The tutorial picture -1..-6, or an empty text for any other number.
String TutorialPicture(int number);

// value in decimal, right-aligned in width characters filled with pad; the
// whole text when width is 0 or less.
String p_rstr(int value, int width, const String &pad);

// The hue (degrees) of a puzzle: fixed by its number through the generator.
int PuzzleHue(int level);

// The board part of loading a puzzle: stroke values, background colour from
// the hue, the solution of puzzle level (or of tutorial -1..-6) with every mark
// cleared, cursor in the middle and a full timer. tmpF needs at least 363
// entries and grid 32 x 32 x 10.
void LoadLevelBoard(int level, int tutorial, const Array<float> &tmpF, const Array<float> &grid, int &gridLast);
