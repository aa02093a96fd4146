// Fuzz target: a picture file decoded, premultiplied into a surface and cut
// into the frame layouts the game uses; every frame must lie on the pixels.
#include "fuzz_host.h"
#include "graphics/image.h"
#include "graphics/surface.h"

namespace {

struct Layout {
  int width, height, frames, flags;
};
const Layout kLayouts[] = {{64, 64, 16, c_Image::MidHandle}, {8, 8, 256, 0},   {12, 12, 25, 0},
                           {16, 16, 128, c_Image::XPadding}, {256, 128, 1, 0}, {3, 5, 7, c_Image::YPadding}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size) {
  static FuzzHost host;
  host.Hold(data, size);
  int w = 0, h = 0, depth = 0;
  PixelData pixels = LoadImageData("fuzz.png", &w, &h, &depth);
  if (!pixels) return 0;
  auto surface = std::make_shared<gxtkSurface>();
  surface->SetData(std::move(pixels), w, h, depth);
  volatile unsigned char sink = 0;
  for (const Layout &l : kLayouts) {
    if (!c_Image::FramesFit(0, 0, l.width, l.height, l.frames, w, h)) continue;
    c_Image image;
    image.p_Init2(surface, 0, 0, l.width, l.height, l.frames, l.flags, nullptr, 0, 0, w, h);
    for (const c_Frame &f : image.m_frames) {
      size_t last = (static_cast<size_t>(f.m_y + image.p_Height() - 1) * w + f.m_x + image.p_Width() - 1) * depth;
      sink = surface->data.get()[last];
    }
  }
  (void)sink;
  return 0;
}
