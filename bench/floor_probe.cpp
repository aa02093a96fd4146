// The floor of the stack the game stands on: a bare 640 x 480 GLFW window
// with an OpenGL context, the default OpenAL device with a context, and a loop
// that clears the window (and a corner of it in a second colour) 60 times a second as the game's loop paces itself
// (sleep until the next frame is due, then poll events). None of the game's
// code is linked, so what this process costs is what any program on GLFW,
// Mesa and OpenAL Soft pays. It runs until its window is closed or it is killed.
#include <AL/al.h>
#include <AL/alc.h>
#include <GL/gl.h>
#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdio>
#include <thread>

int main() {
  if (!glfwInit()) return 1;
  glfwWindowHint(GLFW_RED_BITS, 8);
  glfwWindowHint(GLFW_GREEN_BITS, 8);
  glfwWindowHint(GLFW_BLUE_BITS, 8);
  glfwWindowHint(GLFW_ALPHA_BITS, 0);
  glfwWindowHint(GLFW_DEPTH_BITS, 0);
  glfwWindowHint(GLFW_STENCIL_BITS, 0);
  glfwWindowHint(GLFW_REFRESH_RATE, 60);
  GLFWwindow *window = glfwCreateWindow(640, 480, "Floor", nullptr, nullptr);
  if (!window) return 1;
  glfwMakeContextCurrent(window);
  glfwSwapInterval(1);

  ALCdevice *device = alcOpenDevice(nullptr);
  ALCcontext *context = device ? alcCreateContext(device, nullptr) : nullptr;
  if (context) alcMakeContextCurrent(context);
  if (!context) std::puts("no OpenAL device");

  const double period = 1.0 / 60;
  double next = glfwGetTime();
  while (!glfwWindowShouldClose(window)) {
    glClearColor(0.1f, 0.2f, 0.3f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // A second, scissored clear, so that a watcher can tell a drawn frame
    // from a window that shows only its background.
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 64, 64);
    glClearColor(0.9f, 0.6f, 0.1f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glfwSwapBuffers(window);
    next += period;
    double delay = next - glfwGetTime();
    if (delay > 0)
      std::this_thread::sleep_for(std::chrono::duration<double>(delay));
    else
      next = glfwGetTime();
    glfwPollEvents();
  }
  alcMakeContextCurrent(nullptr);
  if (context) alcDestroyContext(context);
  if (device) alcCloseDevice(device);
  glfwTerminate();
  return 0;
}
