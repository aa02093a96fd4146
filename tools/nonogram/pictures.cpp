// Picture files, the run-length form and map distances (see pictures.h).
#include "tools/nonogram/pictures.h"

#include <cstdlib>
#include <fstream>
#include <iostream>

namespace nonogram {
namespace {

constexpr int kMaxCount = 52;
constexpr int kPairsPerGroup = 10;

char CountChar(int count) { return static_cast<char>(count <= 26 ? 'A' + count - 1 : 'a' + count - 27); }

std::string Trimmed(const std::string &line) {
  size_t end = line.find_last_not_of(" \t\r");
  return end == std::string::npos ? std::string() : line.substr(0, end + 1);
}

} // namespace

bool ParsePictures(std::istream &in, std::vector<NamedPicture> &out, std::string &error) {
  std::string raw;
  int lineNo = 0;
  NamedPicture current;
  int rows = kSide; // rows still expected; kSide when between pictures
  while (std::getline(in, raw)) {
    ++lineNo;
    const std::string line = Trimmed(raw);
    if (rows == kSide && (line.empty() || line[0] == ';')) continue;
    if (rows == kSide) {
      if (line.size() < 3 || line[0] != '=' || line[1] != ' ') {
        error = "line " + std::to_string(lineNo) + ": expected \"= name\"";
        return false;
      }
      current = NamedPicture{line.substr(2), Picture{}, lineNo};
      rows = 0;
      continue;
    }
    if (line.size() != static_cast<size_t>(kSide) || line.find_first_not_of("#.") != std::string::npos) {
      error = "line " + std::to_string(lineNo) + ": expected 8 tiles of '#' and '.'";
      return false;
    }
    for (int x = 0; x < kSide; ++x) current.picture[rows * kSide + x] = line[x] == '#';
    if (++rows == kSide) out.push_back(current);
  }
  if (rows != kSide) {
    error = "picture \"" + current.name + "\" has fewer than 8 rows";
    return false;
  }
  return true;
}

bool ReadPictureFiles(const std::vector<std::string> &files, std::vector<NamedPicture> &out, std::string &error) {
  if (files.empty()) {
    if (ParsePictures(std::cin, out, error)) return true;
    error = "stdin: " + error;
    return false;
  }
  for (const std::string &file : files) {
    std::ifstream in(file);
    // Parsing reads to the end, which leaves the stream failed: a parse error
    // must not be told as a file that would not open.
    if (!in) {
      error = file + ": cannot open";
      return false;
    }
    if (!ParsePictures(in, out, error)) {
      error = file + ": " + error;
      return false;
    }
  }
  return true;
}

std::string Encode(const Picture &picture) {
  std::string text;
  int pairs = 0;
  auto pair = [&](int count, bool black) {
    if (pairs > 0 && pairs % kPairsPerGroup == 0) text += ' ';
    text += CountChar(count);
    text += black ? '1' : '0';
    ++pairs;
  };
  int i = 0;
  while (i < kCells) {
    int j = i;
    while (j < kCells && picture[j] == picture[i]) ++j;
    for (int left = j - i; left > 0; left -= kMaxCount) pair(left < kMaxCount ? left : kMaxCount, picture[i]);
    i = j;
  }
  return text;
}

std::optional<Picture> PictureFromBits(const std::string &bits) {
  if (bits.size() != static_cast<size_t>(kCells)) return std::nullopt;
  Picture p{};
  for (int i = 0; i < kCells; ++i) {
    if (bits[i] != '0' && bits[i] != '1') return std::nullopt;
    p[i] = bits[i] == '1';
  }
  return p;
}

std::string PictureRows(const Picture &picture) {
  std::string text;
  for (int i = 0; i < kCells; ++i) {
    text += picture[i] ? '#' : '.';
    if (i % kSide == kSide - 1) text += '\n';
  }
  return text;
}

int MapDistance(int number) {
  const int howTo = kHowToRow * kMapSide + kHowToColumn;
  const int index = number <= howTo ? number - 1 : number;
  return std::abs(index % kMapSide - kHowToColumn) + std::abs(index / kMapSide - kHowToRow);
}

} // namespace nonogram
