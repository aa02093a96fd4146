// GLFW key translation; see glfw_keys.h.
#include "input/glfw_keys.h"

#include <GLFW/glfw3.h>

int TransKey(int glfwKey) {
  if (glfwKey >= GLFW_KEY_0 && glfwKey <= GLFW_KEY_9) return glfwKey;
  if (glfwKey >= GLFW_KEY_A && glfwKey <= GLFW_KEY_Z) return glfwKey;
  if (glfwKey >= GLFW_KEY_F1 && glfwKey <= GLFW_KEY_F12) return 112 + (glfwKey - GLFW_KEY_F1);
  if (glfwKey >= GLFW_KEY_KP_0 && glfwKey <= GLFW_KEY_KP_9) return 96 + (glfwKey - GLFW_KEY_KP_0);
  switch (glfwKey) {
  case GLFW_KEY_SPACE:
    return 32;
  case GLFW_KEY_APOSTROPHE:
    return 222;
  case GLFW_KEY_COMMA:
    return 188;
  case GLFW_KEY_MINUS:
    return 189;
  case GLFW_KEY_PERIOD:
    return 190;
  case GLFW_KEY_SLASH:
    return 191;
  case GLFW_KEY_SEMICOLON:
    return 186;
  case GLFW_KEY_EQUAL:
    return 187;
  case GLFW_KEY_LEFT_BRACKET:
    return 219;
  case GLFW_KEY_BACKSLASH:
    return 220;
  case GLFW_KEY_RIGHT_BRACKET:
    return 221;
  case GLFW_KEY_GRAVE_ACCENT:
    return 192;
  case GLFW_KEY_ESCAPE:
    return 27;
  case GLFW_KEY_UP:
    return 38;
  case GLFW_KEY_DOWN:
    return 40;
  case GLFW_KEY_LEFT:
    return 37;
  case GLFW_KEY_RIGHT:
    return 39;
  case GLFW_KEY_LEFT_SHIFT:
  case GLFW_KEY_RIGHT_SHIFT:
    return 16;
  case GLFW_KEY_LEFT_CONTROL:
  case GLFW_KEY_RIGHT_CONTROL:
    return 17;
  case GLFW_KEY_TAB:
    return 9;
  case GLFW_KEY_ENTER:
    return 13;
  case GLFW_KEY_BACKSPACE:
    return 8;
  case GLFW_KEY_INSERT:
    return 45;
  case GLFW_KEY_DELETE:
    return 46;
  case GLFW_KEY_PAGE_UP:
    return 33;
  case GLFW_KEY_PAGE_DOWN:
    return 34;
  case GLFW_KEY_HOME:
    return 36;
  case GLFW_KEY_END:
    return 35;
  case GLFW_KEY_KP_DIVIDE:
    return 111;
  case GLFW_KEY_KP_MULTIPLY:
    return 106;
  case GLFW_KEY_KP_SUBTRACT:
    return 109;
  case GLFW_KEY_KP_ADD:
    return 107;
  case GLFW_KEY_KP_DECIMAL:
    return 110;
  default:
    return 0;
  }
}

int KeyToChar(int key) {
  switch (key) {
  case 8:
  case 9:
  case 13:
  case 27:
    return key;
  case 46:
    return 127;
  default:
    break;
  }
  if ((key >= 33 && key <= 40) || key == 45) return key | 0x10000;
  return 0;
}
