// Reading the designer's picture files, writing pictures in the catalogue's
// run-length form, and where each puzzle number sits on the menu's map.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "tools/nonogram/nonogram.h"

namespace nonogram {

struct NamedPicture {
  std::string name;
  Picture picture{};
  int line = 0; // of the name in the file, for messages
};

// A picture file: each picture is a line "= name" followed by 8 lines of 8
// tiles, '#' black and '.' white. Blank lines and lines starting with ';' are
// ignored. On a malformed file, returns false with a message naming the line.
bool ParsePictures(std::istream &in, std::vector<NamedPicture> &out, std::string &error);
// The pictures of the files named, in order, or of stdin when none is named.
// On a missing or malformed file, returns false with a message that starts
// with the file's name ("stdin" for stdin).
bool ReadPictureFiles(const std::vector<std::string> &files, std::vector<NamedPicture> &out, std::string &error);

// The catalogue's form: pairs of a count (A..Z for 1..26, a..z for 27..52) and
// a value '0' or '1', with a space after every tenth pair.
std::string Encode(const Picture &picture);

// A picture from 64 characters of '0' and '1'; nothing for any other text.
std::optional<Picture> PictureFromBits(const std::string &bits);
std::string PictureRows(const Picture &picture);

// The map has 15 x 15 cells with the How-To cell at column 6, row 7; puzzles
// fill the other cells in reading order. The distance is in steps between
// neighbouring cells from the How-To cell, the order in which cells open.
constexpr int kMapSide = 15;
constexpr int kHowToColumn = 6;
constexpr int kHowToRow = 7;
int MapDistance(int number);

} // namespace nonogram
