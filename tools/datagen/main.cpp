// tilemarch_datagen: writes the game's data directory from code alone.
//   tilemarch_datagen DIR               every picture, font, effect and the tune
//   tilemarch_datagen --preview FILE    a contact sheet of all pictures (-hd)
//   tilemarch_datagen --icons DIR       the desktop icon in DIR/hicolor
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/datagen/generate.h"

int main(int argc, char **argv) {
  std::string error;
  if (argc == 3 && std::strcmp(argv[1], "--preview") == 0) {
    error = datagen::WritePreview(argv[2]);
  } else if (argc == 3 && std::strcmp(argv[1], "--icons") == 0) {
    error = datagen::WriteAppIcons(argv[2]);
  } else if (argc == 2 && argv[1][0] != '-') {
    error = datagen::GenerateData(argv[1]);
  } else {
    std::fprintf(stderr, "usage: %s DIR | --preview FILE | --icons DIR\n", argv[0]);
    return 2;
  }
  if (!error.empty()) {
    std::fprintf(stderr, "tilemarch_datagen: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
