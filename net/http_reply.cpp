// Reading an HTTP response across receives; see http_reply.h.
#include "net/http_reply.h"

#include <cstring>

#include "net/http_head.h"

bool HttpReply::Take(const unsigned char *bytes, size_t count) {
  if (failed_) return false;
  while (count > 0 && !InBody()) {
    const void *newline = std::memchr(bytes, '\n', count);
    size_t taken = newline ? static_cast<size_t>(static_cast<const unsigned char *>(newline) - bytes) : count;
    if (line_.size() + taken > kMaxHeadLine) {
      failed_ = true;
      return false;
    }
    line_.append(reinterpret_cast<const char *>(bytes), taken);
    if (!newline) return true;
    bytes += taken + 1;
    count -= taken + 1;
    if (!TakeHeadLine()) {
      failed_ = true;
      return false;
    }
  }
  body_.append(reinterpret_cast<const char *>(bytes), count);
  return true;
}

// Only the status line is kept: the other head lines are skipped, so a head
// of any length takes no more memory than its longest line.
bool HttpReply::TakeHeadLine() {
  String line = String::FromLatin1(line_).Trim();
  line_.clear();
  if (!line.Empty()) {
    if (!haveStatusLine_) statusLine_ = line;
    haveStatusLine_ = true;
    return true;
  }
  int status = -1;
  if (!haveStatusLine_ || !vexHttpParseStatusLine(statusLine_, status)) return false;
  status_ = status;
  inBody_ = true;
  return true;
}
