// Reading an HTTP response head: the status line and the head's lines.
#pragma once

#include "runtime/string.h"

// The status of a status line such as "HTTP/1.0 200 OK". The line is
// upper-cased and split at single spaces; it needs at least three parts, the
// first beginning "HTTP/". The second part is read like atoi. False (and
// status untouched) when the line is malformed.
bool vexHttpParseStatusLine(const String &line, int &status);
