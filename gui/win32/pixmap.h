// The least of the graphics subsystem that the GUI needs: an in-memory pixmap with a width, a
// height, a pixel format and its pixels, the conversion to the 32-bit format with alpha that
// the native panels and icon strips take, and the dithering of alpha into a colour key.
// Any thread, but one pixmap is used by one thread at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/runtime.h"

namespace tarn {

constexpr int32_t PIXMAP_RGB888 = 1;    // 3 bytes a pixel: red, green, blue
constexpr int32_t PIXMAP_ARGB8888 = 2;  // one 32-bit word a pixel: 0xAARRGGBB

class TPixmap : public Object {
 public:
  // A pixmap of that size and format, every byte 0. Sizes below 0 count as 0.
  TPixmap(int32_t width, int32_t height, int32_t format);

  static int32_t BytesPerPixel(int32_t format);
  static bool HasAlpha(int32_t format) { return format == PIXMAP_ARGB8888; }

  // The pixel at x, y as 0xAARRGGBB (opaque for formats without alpha); 0 outside.
  uint32_t Pixel(int32_t x, int32_t y) const;
  void SetPixel(int32_t x, int32_t y, uint32_t argb);
  // The same picture in PIXMAP_ARGB8888 (this pixmap itself when it already is).
  Ref<TPixmap> ToArgb();
  // The 32-bit words of an ARGB8888 pixmap, rows from the top; null for other formats.
  const uint32_t* Words() const;

  const int32_t width;
  const int32_t height;
  const int32_t format;
  std::vector<uint8_t> pixels;  // rows from the top, no padding
};

// For formats with alpha: turns the alpha into a dithered colour key. With a2 the top two bits
// of a pixel's alpha and d = (x + y) & 1, a pixel with a2 + d <= 2 becomes 0xFFFFFFFF (the
// transparent white); else a pixel whose colour is pure white becomes 0x00FEFEFE so that it
// stays visible. Other formats are left alone.
void DitherAlphaToColourKey(TPixmap& pixmap);

}  // namespace tarn
