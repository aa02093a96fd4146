// Status line parsing; see http_head.h.
#include "net/http_head.h"

#include "runtime/array.h"

bool vexHttpParseStatusLine(const String &line, int &status) {
  Array<String> parts = line.ToUpper().Split(" ");
  if (parts.Length() < 3 || !parts[0].StartsWith("HTTP/")) return false;
  status = parts[1].ToInt();
  return true;
}
