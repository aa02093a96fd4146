// Data-path mapping; see data_paths.h.
#include "host/data_paths.h"

#include <unistd.h>

#include <climits>

String MapDataPath(const String &path, const String &appDir) {
  if (!path.StartsWith("quill:")) return path;
  if (path.StartsWith("quill://data/")) return appDir + "/data/" + path.Slice(13);
  if (path.StartsWith("quill://internal/")) return appDir + "/internal/" + path.Slice(17);
  if (path.StartsWith("quill://external/")) return appDir + "/external/" + path.Slice(17);
  return String();
}

String AppDirOfExecutable(const String &exePath) {
  String path = exePath.Replace("\\", "/");
  int slash = path.FindLast("/");
  return slash == -1 ? String() : path.Slice(0, slash);
}

String ExecutablePath() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return String();
  return String::FromUtf8(std::string_view(buffer, static_cast<size_t>(n)));
}
