// Writing the whole data directory, and the contact sheet that previews it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/datagen/canvas.h"

namespace datagen {

// PNG bytes of a canvas (stb_image_write; the same canvas gives the same bytes).
std::vector<uint8_t> EncodePng(const Canvas &canvas);

// Writes every picture at the three resolutions, both fonts, the effects and
// the tune below dir. Returns an error message, empty on success.
std::string GenerateData(const std::string &dir);

// The desktop icon at the sizes a menu asks for, as dir/hicolor/NxN/apps/tilemarch.png.
// Returns an error message, empty on success.
std::string WriteAppIcons(const std::string &dir);

// One PNG of every picture at the -hd resolution, labelled. Returns an error
// message, empty on success.
std::string WritePreview(const std::string &file);

} // namespace datagen
