// VexQuillGame::Main: process start-up in the host's order.
#include "host/quill_game.h"

#include <GLFW/glfw3.h>
#include <malloc.h>

#include <clocale>
#include <cstdlib>

#include "host/app.h"
#include "runtime/error.h"
#include "runtime/object.h"

int VexQuillGame::argc = 0;
char **VexQuillGame::argv = nullptr;

namespace {
// A software OpenGL (Mesa's llvmpipe, as under Xvfb) allocates its scene
// buffers per frame and frees them when the frame is finished; glibc would
// hand that memory back to the kernel every frame and fault it in again,
// which cost more than the drawing itself (about 2 us per quad). Keeping a
// few tens of megabytes of freed heap avoids the churn; other drivers are
// unaffected.
void KeepFreedHeapForTheDriver() {
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  mallopt(M_TOP_PAD, 16 << 20);
}
} // namespace

void VexQuillGame::Main(int argc, char **argv, void (*createApp)()) {
  KeepFreedHeapForTheDriver();
  // Pads report their hats as four buttons the input device appends itself, in
  // the order its layouts expect; GLFW's own hat buttons would count twice.
  glfwInitHint(GLFW_JOYSTICK_HAT_BUTTONS, GLFW_FALSE);
  if (!glfwInit()) {
    vexPrint("glfwInit failed");
    std::_Exit(255);
  }
  static VexQuillGame game;
  VexQuillGame::argc = argc;
  VexQuillGame::argv = argv;
  vexInstallSignalHandlers();
  if (!std::setlocale(LC_CTYPE, "en_US.UTF-8")) std::setlocale(LC_CTYPE, "");
  try {
    vexInit();
    createApp();
    if (game.Delegate()) game.Run();
  } catch (const ThrowableObject &) {
    glfwTerminate();
    game.Die();
  }
  glfwTerminate();
}
