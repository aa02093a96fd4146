// Data paths as the game names them: a bare name such as gfx/tile.png stands
// for a file of the game's data, quill://data/gfx/tile.png. The loaders turn
// names into data paths; the host maps data paths to files (host/data_paths.h).
#pragma once

#include "runtime/string.h"

// A bare name such as gfx/tile.png becomes quill://data/gfx/tile.png; paths
// with a scheme or drive ("X:/" where the first "/" follows the first ":/"),
// and paths starting "./" or "/", are returned unchanged.
String vex_data_FixDataPath(const String &path);
