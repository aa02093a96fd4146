// nonogram_encode: writes 8 x 8 pictures (picture-file form, from the files
// named or stdin) as catalogue strings, one line each: the string, then the
// picture's name after a tab.
#include <fstream>
#include <iostream>

#include "tools/nonogram/pictures.h"

using namespace nonogram;

int main(int argc, char **argv) {
  std::vector<NamedPicture> pictures;
  std::string error;
  if (argc == 1 && !ParsePictures(std::cin, pictures, error)) {
    std::cerr << "stdin: " << error << "\n";
    return 2;
  }
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i]);
    if (!in || !ParsePictures(in, pictures, error)) {
      std::cerr << argv[i] << ": " << (in ? error : "cannot open") << "\n";
      return 2;
    }
  }
  for (const NamedPicture &p : pictures) std::cout << Encode(p.picture) << "\t" << p.name << "\n";
  return 0;
}
