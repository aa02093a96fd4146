// The game's bitmap-font text: kerning, measurement, alignment, rotation, line
// breaks written as a backslash and "n", and inline controller-button icons.
#include <cmath>

#include "game/flow.h"
#include "game/names.h"
#include "game/render.h"
#include "runtime/angle.h"

IconGlyph IconFor(int letter, int controlMode, int millis) {
  int frame = letter, extra = 4, blinkTo = -1;
  switch (letter) {
  case 'J':
    frame = 96, blinkTo = 109;
    break;
  case 'K':
    frame = 97, blinkTo = 109;
    break;
  case 'L':
    frame = 98, blinkTo = 109;
    break;
  case 'I':
    frame = 99, blinkTo = 109;
    break;
  case 'U':
    frame = 100, extra = 6, blinkTo = 110;
    break;
  case 'O':
    frame = 101, extra = 6, blinkTo = 110;
    break;
  case 'Q':
    frame = 102;
    break;
  case 'E':
    frame = 103;
    break;
  case 'F':
    frame = 104;
    break;
  case 'W':
    frame = 105, blinkTo = 104;
    break;
  case 'S':
    frame = 106, blinkTo = 104;
    break;
  case 'A':
    frame = 107, blinkTo = 104;
    break;
  case 'D':
    frame = 108, blinkTo = 104;
    break;
  default:
    break;
  }
  if (controlMode == 1 && blinkTo >= 0 && millis % 500 < 200)
    frame = blinkTo;
  else if (controlMode == 0)
    frame += 16;
  return {frame, extra + KerningOf(frame + 32)};
}

namespace {
constexpr int kLineBreakSlash = '\\';

bool IsLineBreak(const String &text, int i) {
  return text[i] == kLineBreakSlash && i + 1 < text.Length() && text[i + 1] == 'n';
}
bool IsIcon(const String &text, int i) { return text[i] == kIconEscape && i + 1 < text.Length(); }
} // namespace

int c_MyApp::p_TextWidth(const String &text) {
  if (m_font < 0 || m_font >= kImageSlots) return 0;
  int cellW = m_imageInfo[m_font * 3];
  int width = 0;
  for (int i = 0; i < text.Length(); ++i) {
    int adjust = KerningOf(text[i]);
    if (IsIcon(text, i)) {
      adjust = 2;
      ++i;
    }
    width = static_cast<int>(static_cast<float>(adjust + cellW) * m_scaleX + static_cast<float>(width));
  }
  return width;
}

void c_MyApp::p_Text(float x, float y, const String &text) { p_Text(x, y, text, 1, 1, 0); }

void c_MyApp::p_Text(float x, float y, const String &text, float alignX, float alignY, int fontOffset) {
  if (text.Empty()) return;
  int slot = m_font + fontOffset;
  if (m_font < 0 || m_font >= kImageSlots) return;
  float cellW = static_cast<float>(m_imageInfo[m_font * 3]);
  float cellH = static_cast<float>(m_imageInfo[m_font * 3 + 1]);
  float width = static_cast<float>(p_TextWidth(text));

  float a = m_rot;
  float a1 = (-a - 90) * kDegToRad, a0 = -a * kDegToRad;
  float h = cellH * m_scaleY, k = (alignY - 1) * 0.5f;
  float startX = x + std::sin(a1) * width * alignX * 0.5f + std::sin(a0) * h * k;
  float startY = y - std::cos(a1) * width * alignX * 0.5f - std::cos(a0) * h * k;

  // The pen's direction along a line and from one line to the next.
  float alongX = std::sin((90 - a) * kDegToRad), alongY = -std::cos((90 - a) * kDegToRad);
  float downX = std::sin((180 - a) * kDegToRad), downY = -std::cos((180 - a) * kDegToRad);
  bool drawable = slot >= 0 && slot < kImageSlots;
  float px = startX, py = startY;
  int lineBreaks = 0;
  int millis = -1;
  for (int i = 0; i < text.Length(); ++i) {
    int c = text[i];
    if (IsLineBreak(text, i)) {
      ++i;
      ++lineBreaks;
      float lineDrop = static_cast<float>(lineBreaks) * cellH * m_scaleY;
      px = startX + downX * lineDrop + alongX * cellW * m_scaleX;
      py = startY + downY * lineDrop;
      continue;
    }
    int frame, adjust;
    if (IsIcon(text, i)) {
      if (millis < 0) millis = m_devices->Millisecs();
      IconGlyph icon = IconFor(text[++i], m_controlMode, millis);
      frame = icon.frame;
      adjust = icon.extra;
      // The font sheet has 128 frames; letters past them have no icon.
      if (drawable && frame >= 0 && frame <= 127) p_DrawImg(slot, px, py, frame);
    } else {
      if (c == 0) continue;
      frame = c - 32;
      adjust = KerningOf(c);
      if (drawable && frame >= 1 && frame <= 127) p_DrawImg(slot, px, py, frame);
    }
    float advance = (static_cast<float>(adjust) + cellW) * m_scaleX;
    px += alongX * advance;
    py += alongY * advance;
  }
}
