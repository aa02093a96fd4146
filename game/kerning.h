// The game font's kerning: the extra advance of narrow and wide letters. The
// text routine steps by it and the font generator shapes each glyph to it, so
// both read this one table.
#pragma once

inline int KerningOf(int ch) {
  switch (ch) {
  case 'w':
  case 'm':
    return 2;
  case 'W':
  case 'M':
    return 1;
  case 'i':
  case 'f':
  case 'l':
    return -3;
  case 'j':
  case 's':
  case 'k':
  case 'r':
  case 'z':
  case 't':
  case 'n':
    return -1;
  default:
    return 0;
  }
}
