// Prints the picture of a puzzle, for the measurements that solve one as a
// player who knows it would: 64 characters, '1' black, rows top first.
//   solution_probe NUMBER
#include <cstdio>
#include <cstdlib>

#include "game/levels/levels.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: solution_probe NUMBER\n");
    return 2;
  }
  std::printf("%s\n", p_GetLevDat(std::atoi(argv[1])).ToUtf8().c_str());
  return 0;
}
