// VexQuillGame: this program's host, with the process entry.
#pragma once

#include "host/glfw_game.h"

class VexQuillGame : public VexGlfwGame {
public:
  // Keeps freed heap for the OpenGL driver, starts GLFW, installs the signal
  // handlers and the locale, resets the framework's globals, creates the
  // application object through createApp (whose c_App constructor registers
  // it) and runs the loop. Returns when the window is gone; ends the process
  // itself on errors and on the app's exit.
  static void Main(int argc, char **argv, void (*createApp)());

  static int argc;
  static char **argv;
};
