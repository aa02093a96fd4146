// GLFW key translation; see glfw_keys.h.
#include "input/glfw_keys.h"

#include <GLFW/glfw3.h>

#include "input/key_codes.h"

namespace {

struct KeyPair {
  int glfwKey, code;
};

// The keys outside the runs of digits, letters, function keys and keypad
// digits that TransKey maps by offset.
constexpr KeyPair kSingleKeys[] = {
    {GLFW_KEY_SPACE, keycode::kSpace},
    {GLFW_KEY_APOSTROPHE, keycode::kQuote},
    {GLFW_KEY_COMMA, keycode::kComma},
    {GLFW_KEY_MINUS, keycode::kMinus},
    {GLFW_KEY_PERIOD, keycode::kPeriod},
    {GLFW_KEY_SLASH, keycode::kSlash},
    {GLFW_KEY_SEMICOLON, keycode::kSemicolon},
    {GLFW_KEY_EQUAL, keycode::kEquals},
    {GLFW_KEY_LEFT_BRACKET, keycode::kOpenBracket},
    {GLFW_KEY_BACKSLASH, keycode::kBackslash},
    {GLFW_KEY_RIGHT_BRACKET, keycode::kCloseBracket},
    {GLFW_KEY_GRAVE_ACCENT, keycode::kTilde},
    {GLFW_KEY_ESCAPE, keycode::kEscape},
    {GLFW_KEY_UP, keycode::kUp},
    {GLFW_KEY_DOWN, keycode::kDown},
    {GLFW_KEY_LEFT, keycode::kLeft},
    {GLFW_KEY_RIGHT, keycode::kRight},
    {GLFW_KEY_LEFT_SHIFT, keycode::kShift},
    {GLFW_KEY_RIGHT_SHIFT, keycode::kShift},
    {GLFW_KEY_LEFT_CONTROL, keycode::kControl},
    {GLFW_KEY_RIGHT_CONTROL, keycode::kControl},
    {GLFW_KEY_TAB, keycode::kTab},
    {GLFW_KEY_ENTER, keycode::kEnter},
    {GLFW_KEY_BACKSPACE, keycode::kBackspace},
    {GLFW_KEY_INSERT, keycode::kInsert},
    {GLFW_KEY_DELETE, keycode::kDelete},
    {GLFW_KEY_PAGE_UP, keycode::kPageUp},
    {GLFW_KEY_PAGE_DOWN, keycode::kPageDown},
    {GLFW_KEY_HOME, keycode::kHome},
    {GLFW_KEY_END, keycode::kEnd},
    {GLFW_KEY_KP_DIVIDE, keycode::kKeypadDivide},
    {GLFW_KEY_KP_MULTIPLY, keycode::kKeypadMultiply},
    {GLFW_KEY_KP_SUBTRACT, keycode::kKeypadSubtract},
    {GLFW_KEY_KP_ADD, keycode::kKeypadAdd},
    {GLFW_KEY_KP_DECIMAL, keycode::kKeypadDecimal},
};

} // namespace

int TransKey(int glfwKey) {
  if (glfwKey >= GLFW_KEY_0 && glfwKey <= GLFW_KEY_9) return glfwKey;
  if (glfwKey >= GLFW_KEY_A && glfwKey <= GLFW_KEY_Z) return glfwKey;
  if (glfwKey >= GLFW_KEY_F1 && glfwKey <= GLFW_KEY_F12) return keycode::kF1 + (glfwKey - GLFW_KEY_F1);
  if (glfwKey >= GLFW_KEY_KP_0 && glfwKey <= GLFW_KEY_KP_9) return keycode::kKeypad0 + (glfwKey - GLFW_KEY_KP_0);
  for (const KeyPair &pair : kSingleKeys)
    if (pair.glfwKey == glfwKey) return pair.code;
  return 0;
}

int KeyToChar(int key) {
  switch (key) {
  case keycode::kBackspace:
  case keycode::kTab:
  case keycode::kEnter:
  case keycode::kEscape:
    return key;
  case keycode::kDelete:
    return 127;
  default:
    break;
  }
  if ((key >= keycode::kPageUp && key <= keycode::kDown) || key == keycode::kInsert) return key | 0x10000;
  return 0;
}
