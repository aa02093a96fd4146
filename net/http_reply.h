// Reading an HTTP/1.0 response as its bytes arrive, in receives of any size:
// the head's lines up to the first blank one, then every byte as the body.
#pragma once

#include <cstddef>
#include <string>

#include "runtime/string.h"

class HttpReply {
public:
  // The longest head line taken; a longer one cannot be a response we read.
  static constexpr size_t kMaxHeadLine = 16384;

  // Takes the next received bytes. False once the bytes cannot be a response
  // (a malformed or missing status line, an over-long head line); it then
  // takes nothing more.
  bool Take(const unsigned char *bytes, size_t count);
  // Whether the head has ended with a valid status line.
  bool InBody() const { return inBody_; }
  // The status line's status, or -1 before the head has ended.
  int Status() const { return status_; }
  size_t BodyBytes() const { return body_.size(); }
  // The body decoded as UTF-8 as one text, so a character split between two
  // receives stays whole; a body that is not UTF-8 reads as 8-bit text.
  String BodyText() const { return String::FromUtf8(body_); }

private:
  bool TakeHeadLine();

  bool failed_ = false;
  bool inBody_ = false;
  int status_ = -1;
  // The head line being read, and the first one (the status line).
  std::string line_;
  String statusLine_;
  bool haveStatusLine_ = false;
  std::string body_;
};
