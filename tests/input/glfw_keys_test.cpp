// The GLFW 3 key translation and the characters keys type.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include "input/glfw_keys.h"

TEST(TransKey, PrintableKeysKeepTheirCodes) {
  for (int k = GLFW_KEY_0; k <= GLFW_KEY_9; ++k) EXPECT_EQ(TransKey(k), k);
  for (int k = GLFW_KEY_A; k <= GLFW_KEY_Z; ++k) EXPECT_EQ(TransKey(k), k);
}

TEST(TransKey, TheTableOfOtherKeys) {
  const std::pair<int, int> table[] = {
      {GLFW_KEY_SPACE, 32},
      {GLFW_KEY_APOSTROPHE, 222},
      {GLFW_KEY_COMMA, 188},
      {GLFW_KEY_MINUS, 189},
      {GLFW_KEY_PERIOD, 190},
      {GLFW_KEY_SLASH, 191},
      {GLFW_KEY_SEMICOLON, 186},
      {GLFW_KEY_EQUAL, 187},
      {GLFW_KEY_LEFT_BRACKET, 219},
      {GLFW_KEY_BACKSLASH, 220},
      {GLFW_KEY_RIGHT_BRACKET, 221},
      {GLFW_KEY_GRAVE_ACCENT, 192},
      {GLFW_KEY_ESCAPE, 27},
      {GLFW_KEY_F1, 112},
      {GLFW_KEY_F11, 122},
      {GLFW_KEY_F12, 123},
      {GLFW_KEY_UP, 38},
      {GLFW_KEY_DOWN, 40},
      {GLFW_KEY_LEFT, 37},
      {GLFW_KEY_RIGHT, 39},
      {GLFW_KEY_LEFT_SHIFT, 16},
      {GLFW_KEY_RIGHT_SHIFT, 16},
      {GLFW_KEY_LEFT_CONTROL, 17},
      {GLFW_KEY_RIGHT_CONTROL, 17},
      {GLFW_KEY_TAB, 9},
      {GLFW_KEY_ENTER, 13},
      {GLFW_KEY_BACKSPACE, 8},
      {GLFW_KEY_INSERT, 45},
      {GLFW_KEY_DELETE, 46},
      {GLFW_KEY_PAGE_UP, 33},
      {GLFW_KEY_PAGE_DOWN, 34},
      {GLFW_KEY_HOME, 36},
      {GLFW_KEY_END, 35},
      {GLFW_KEY_KP_0, 96},
      {GLFW_KEY_KP_9, 105},
      {GLFW_KEY_KP_DIVIDE, 111},
      {GLFW_KEY_KP_MULTIPLY, 106},
      {GLFW_KEY_KP_SUBTRACT, 109},
      {GLFW_KEY_KP_ADD, 107},
      {GLFW_KEY_KP_DECIMAL, 110},
  };
  for (auto [glfw, code] : table) EXPECT_EQ(TransKey(glfw), code) << "GLFW key " << glfw;
}

TEST(TransKey, KeysTheGameDoesNotKnowAreZero) {
  for (int k : {GLFW_KEY_UNKNOWN, GLFW_KEY_LEFT_ALT, GLFW_KEY_RIGHT_ALT, GLFW_KEY_F13, GLFW_KEY_F25, GLFW_KEY_KP_ENTER,
                GLFW_KEY_KP_EQUAL, GLFW_KEY_LEFT_SUPER, GLFW_KEY_MENU, GLFW_KEY_CAPS_LOCK, GLFW_KEY_WORLD_1,
                GLFW_KEY_PRINT_SCREEN, 0, 31, GLFW_KEY_LAST + 1})
    EXPECT_EQ(TransKey(k), 0) << "GLFW key " << k;
  // No key outside the table and the printable ranges slips through.
  int known = 0;
  for (int k = -1; k <= GLFW_KEY_LAST; ++k) known += TransKey(k) != 0;
  // digits, letters, F1-F12, keypad digits, and 35 other keys
  EXPECT_EQ(known, 10 + 26 + 12 + 10 + 35);
}

TEST(KeyToChar, ControlAndNavigationKeys) {
  for (int key : {8, 9, 13, 27}) EXPECT_EQ(KeyToChar(key), key);
  EXPECT_EQ(KeyToChar(46), 127);
  for (int key = 33; key <= 40; ++key) EXPECT_EQ(KeyToChar(key), 65536 + key);
  EXPECT_EQ(KeyToChar(45), 65536 + 45);
  for (int key : {32, 16, 17, 65, 48, 112, 186, 1, 384}) EXPECT_EQ(KeyToChar(key), 0) << key;
}
