// The key-code space: every input the game can ask is down, or was hit, is one
// number from 1 to 511 (0 is no key). The keyboard keeps the numbers of the
// Windows virtual keys, letters and digits as their capital ASCII characters.
#pragma once

namespace keycode {

constexpr int kCount = 512;

// 1 to 3: the mouse buttons left, right and middle.
constexpr int kMouseLeft = 1;
constexpr int kMouseButtons = 3;

// The keyboard, from 8 to 222.
constexpr int kBackspace = 8, kTab = 9, kEnter = 13, kShift = 16, kControl = 17, kEscape = 27, kSpace = 32;
constexpr int kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
constexpr int kInsert = 45, kDelete = 46;
constexpr int kKeypad0 = 96, kKeypadMultiply = 106, kKeypadAdd = 107, kKeypadSubtract = 109, kKeypadDecimal = 110,
              kKeypadDivide = 111;
constexpr int kF1 = 112, kF2 = 113, kF3 = 114, kF4 = 115, kF5 = 116, kF6 = 117, kF7 = 118, kF8 = 119, kF9 = 120,
              kF10 = 121, kF11 = 122, kF12 = 123;
constexpr int kSemicolon = 186, kEquals = 187, kComma = 188, kMinus = 189, kPeriod = 190, kSlash = 191, kTilde = 192;
constexpr int kOpenBracket = 219, kBackslash = 220, kCloseBracket = 221, kQuote = 222;

// 256 to 383: four pads of 32 buttons each.
constexpr int kPadFirst = 256;
constexpr int kPads = 4;
constexpr int kPadButtons = 32;
constexpr int PadButton(int pad, int button) { return kPadFirst + kPadButtons * pad + button; }

// 384 to 415: touches 0 to 31. Touch 0 and the left mouse button mirror each
// other, so the mouse is touch 0.
constexpr int kTouchFirst = 384;
constexpr int kTouches = 32;

// The system's back button and the window's close button.
constexpr int kBack = 416;
constexpr int kClose = 432;

} // namespace keycode
