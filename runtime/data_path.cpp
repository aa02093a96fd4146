// Bare names to data paths; see data_path.h.
#include "runtime/data_path.h"

String vex_data_FixDataPath(const String &path) {
  int colon = path.Find(":/");
  if (colon != -1 && path.Find("/") == colon + 1) return path;
  if (path.StartsWith("./") || path.StartsWith("/")) return path;
  return "quill://data/" + path;
}
