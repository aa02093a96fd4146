// The state file: one UTF-8 text, "./.quillstate" in the working directory.
//
// Text is written as UTF-8 with each 16-bit code unit encoded on its own (one,
// two or three bytes; no byte-order mark). Reading accepts what other tools may
// have written: UTF-16 with either byte-order mark, UTF-8 with or without its
// mark, and anything that is not valid UTF-8 as one character per byte.
//
// Saving never rewrites the state file in place: the new text goes to a
// temporary file beside it, is flushed to the disk, and then renamed over the
// old file, so a crash or a full disk leaves either the old or the new file.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "runtime/string.h"

inline const char *const kStateFilePath = "./.quillstate";

// Writes state to filePath through a temporary file and a rename. Returns 0 on
// success, -1 when the file cannot be created or replaced, -2 when fewer bytes
// than the encoded length reached the disk. On failure the previous file is
// left as it was.
int WriteStateFile(const String &filePath, const String &state);

std::string ReadWholeFile(FILE *file);
String DecodeStateText(std::string_view bytes);
