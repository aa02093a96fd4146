// Fuzz target: a picture file decoded, premultiplied into a surface and cut
// into the frame layouts the game uses; every frame must lie on the pixels.
#include "fuzz_host.h"
#include "graphics/image.h"
#include "graphics/surface.h"

namespace {

// Width, height, frames and flags.
const int kLayouts[][4] = {{64, 64, 16, c_Image::MidHandle}, {8, 8, 256, 0},   {12, 12, 25, 0},
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
  for (const auto &[width, height, frames, flags] : kLayouts) {
    if (!c_Image::FramesFit(0, 0, width, height, frames, w, h)) continue;
    c_Image image;
    image.p_Init2(surface, 0, 0, width, height, frames, flags, nullptr, 0, 0, w, h);
    // The frame's last pixel, read where the sanitizer sees it.
    for (const c_Frame &f : image.m_frames)
      [[maybe_unused]] volatile unsigned char last =
          surface->data
              .get()[(static_cast<size_t>(f.m_y + image.p_Height() - 1) * w + f.m_x + image.p_Width() - 1) * depth];
  }
  return 0;
}
