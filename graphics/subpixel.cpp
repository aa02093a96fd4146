// The rasteriser's sub-pixel precision, which decides when two vertex
// positions are the same position to the pixels they cover.
#include "graphics/graphics.h"

#include <GL/gl.h>
#include <GLFW/glfw3.h>

int vex_graphics_SubpixelBits() {
  // Asked once, with a context current; until then, and from drivers that
  // report nothing, Mesa's 8, the precision OpenGL's rules assume.
  static int bits = 0;
  if (bits == 0 && glfwGetCurrentContext()) {
    GLint reported = 0;
    glGetIntegerv(GL_SUBPIXEL_BITS, &reported);
    bits = reported > 0 && reported <= 16 ? reported : 8;
  }
  return bits > 0 ? bits : 8;
}
