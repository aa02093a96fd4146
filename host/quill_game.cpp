// VexQuillGame::Main: process start-up in the host's order.
#include "host/quill_game.h"

#include <GLFW/glfw3.h>

#include <clocale>
#include <cstdlib>

#include "host/app.h"
#include "runtime/error.h"
#include "runtime/object.h"

int VexQuillGame::argc = 0;
char **VexQuillGame::argv = nullptr;

void VexQuillGame::Main(int argc, char **argv, void (*createApp)()) {
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
