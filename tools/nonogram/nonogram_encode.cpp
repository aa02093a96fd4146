// nonogram_encode: writes 8 x 8 pictures (picture-file form, from the files
// named or stdin) as catalogue strings, one line each: the string, then the
// picture's name after a tab.
#include <iostream>

#include "tools/nonogram/pictures.h"

using namespace nonogram;

int main(int argc, char **argv) {
  std::vector<NamedPicture> pictures;
  std::string error;
  if (!ReadPictureFiles({argv + 1, argv + argc}, pictures, error)) {
    std::cerr << error << "\n";
    return 2;
  }
  for (const NamedPicture &p : pictures) std::cout << Encode(p.picture) << "\t" << p.name << "\n";
  return 0;
}
