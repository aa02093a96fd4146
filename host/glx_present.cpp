// GlxAreaPresent: the GLX_MESA_copy_sub_buffer lookup and copy.
#include "host/glx_present.h"

#include <GL/glx.h>

#include <cstring>

namespace {

using CopySubBuffer = void (*)(Display *display, GLXDrawable drawable, int x, int y, int width, int height);

bool HasExtension(const char *list, const char *name) {
  const size_t length = std::strlen(name);
  for (const char *at = list; (at = std::strstr(at, name)) != nullptr; at += length)
    if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
  return false;
}

} // namespace

void GlxAreaPresent::Attach() {
  copy_ = nullptr;
  Display *display = glXGetCurrentDisplay();
  if (!display) return;
  const char *extensions = glXQueryExtensionsString(display, DefaultScreen(display));
  if (!extensions || !HasExtension(extensions, "GLX_MESA_copy_sub_buffer")) return;
  copy_ = glXGetProcAddressARB(reinterpret_cast<const GLubyte *>("glXCopySubBufferMESA"));
}

void GlxAreaPresent::Copy(int x, int y, int width, int height) const {
  Display *display = glXGetCurrentDisplay();
  GLXDrawable drawable = glXGetCurrentDrawable();
  if (!copy_ || !display || !drawable || width <= 0 || height <= 0) return;
  reinterpret_cast<CopySubBuffer>(copy_)(display, drawable, x, y, width, height);
}
