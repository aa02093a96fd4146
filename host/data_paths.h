// Data paths: the "quill://" scheme and its mapping to file-system paths.
//
//   quill://data/REST      -> APPDIR/data/REST      (read-only game data)
//   quill://internal/REST  -> APPDIR/internal/REST  (private files)
//   quill://external/REST  -> APPDIR/external/REST  (shared files)
//   quill:ANYTHING-ELSE    -> ""                    (cannot be opened)
//   anything else          -> unchanged
//
// APPDIR is the directory of the running executable (symbolic links resolved),
// with forward slashes and no trailing slash. No directory is ever created.
#pragma once

#include "runtime/data_path.h"
#include "runtime/string.h"

// The scheme table above, for a given application directory.
String MapDataPath(const String &path, const String &appDir);

// The application directory of an executable path: back slashes turned into
// forward slashes, cut at the last slash.
String AppDirOfExecutable(const String &exePath);

// The running executable's path (from /proc/self/exe).
String ExecutablePath();
