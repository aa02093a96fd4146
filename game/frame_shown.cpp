// What the next frame would show: the display list and the fill put in the
// device's terms, for the decision whether to draw it at all, and where.
#include <algorithm>
#include <cmath>

#include "game/flow.h"
#include "game/render.h"
#include "graphics/image.h"

ShownList c_MyApp::Shown() {
  const int bits = m_devices->SubpixelBits();
  m_shownNow.resize(static_cast<size_t>(m_drawCount));
  const std::span<const DrawRecord> list(m_drawList.Data(), m_drawCount);
  for (size_t i = 0; i < list.size(); ++i) {
    // In device units, as the replay hands the record to the device.
    DrawRecord r = list[i];
    const auto at = m_view.ToDevice(r.x, r.y);
    r.x = at.x, r.y = at.y;
    ImageFrame frame;
    if (r.kind == kKindLine) {
      const auto end = m_view.ToDevice(r.w, r.h);
      r.w = end.x, r.h = end.y;
    } else {
      const auto size = m_view.SizeOnDevice(r.w, r.h);
      r.w = size.x, r.h = size.y;
      if (r.kind > -1 && r.kind < kImageSlots && m_images[static_cast<int>(r.kind)]) {
        const c_Image &image = *m_images[static_cast<int>(r.kind)];
        const float scale = ImageScale(static_cast<int>(r.kind));
        r.w *= scale, r.h *= scale;
        frame = {static_cast<float>(image.m_width), static_cast<float>(image.m_height), image.m_tx, image.m_ty};
        // Where its texels lie, for what it paints over opaquely.
        const int at = static_cast<int>(r.frame);
        if (image.m_surface && (image.m_flags & c_Image::FullFrame)) {
          frame.surface = image.m_surface.get();
        } else if (image.m_surface && at >= 0 && at < image.m_frames.Length()) {
          frame.surface = image.m_surface.get();
          frame.surfaceX = image.m_frames[at].m_x, frame.surfaceY = image.m_frames[at].m_y;
        }
      }
    }
    m_shownNow[i] = m_shownCache.Show(i, r, frame, bits);
  }
  return {m_shownNow, m_shownCache.Inputs(m_shownNow.size())};
}

ShownSettings c_MyApp::FrameSettings() const {
  return ShowFillOnDevice(m_clsRed, m_clsGreen, m_clsBlue, m_clsAlpha,
                          {static_cast<float>(vex_app_DeviceWidth()), static_cast<float>(vex_app_DeviceHeight()),
                           m_imageScale, vex_Tilemarch_overscan});
}
