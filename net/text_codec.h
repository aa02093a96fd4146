// The data buffer's two text encodings, as plain functions over bytes.
//
// "utf8" here is the runtime's 16-bit flavour: every code unit (surrogate
// halves included) is written as a one-, two- or three-byte sequence, and only
// such sequences are read back. Anything else in a byte range (a stray or
// missing continuation byte, a four-byte sequence) makes the whole range read
// as 8-bit text instead, one unit per byte.
#pragma once

#include <string>

#include "runtime/string.h"

// The encoded bytes of every code unit of text (1 to 3 bytes each).
std::string EncodeUtf8Units(const String &text);

// The units of bytes[0, count), or the same bytes as 8-bit text when they are
// not a sequence of one-, two- and three-byte forms.
String DecodeUtf8Units(const unsigned char *bytes, int count);

// One unit per byte, 0..255.
String DecodeLatin1Units(const unsigned char *bytes, int count);
