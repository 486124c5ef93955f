#include "gui/win32/pixmap.h"

#include <algorithm>
#include <cstring>

namespace tarn {

TPixmap::TPixmap(int32_t width, int32_t height, int32_t format)
    : width(std::max(width, 0)), height(std::max(height, 0)), format(format) {
  pixels.assign(static_cast<size_t>(this->width) * this->height * BytesPerPixel(format), 0);
}

int32_t TPixmap::BytesPerPixel(int32_t format) { return format == PIXMAP_RGB888 ? 3 : 4; }

uint32_t TPixmap::Pixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  size_t at = (static_cast<size_t>(y) * width + x) * BytesPerPixel(format);
  if (format == PIXMAP_RGB888) {
    return 0xFF000000u | (uint32_t{pixels[at]} << 16) | (uint32_t{pixels[at + 1]} << 8) |
           pixels[at + 2];
  }
  uint32_t word;
  std::memcpy(&word, &pixels[at], 4);
  return word;
}

void TPixmap::SetPixel(int32_t x, int32_t y, uint32_t argb) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  size_t at = (static_cast<size_t>(y) * width + x) * BytesPerPixel(format);
  if (format == PIXMAP_RGB888) {
    pixels[at] = static_cast<uint8_t>(argb >> 16);
    pixels[at + 1] = static_cast<uint8_t>(argb >> 8);
    pixels[at + 2] = static_cast<uint8_t>(argb);
    return;
  }
  std::memcpy(&pixels[at], &argb, 4);
}

Ref<TPixmap> TPixmap::ToArgb() {
  if (format == PIXMAP_ARGB8888) return Ref<TPixmap>(this);
  Ref<TPixmap> converted = New<TPixmap>(width, height, PIXMAP_ARGB8888);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) converted->SetPixel(x, y, Pixel(x, y));
  }
  return converted;
}

const uint32_t* TPixmap::Words() const {
  if (format != PIXMAP_ARGB8888 || pixels.empty()) return nullptr;
  return reinterpret_cast<const uint32_t*>(pixels.data());
}

void DitherAlphaToColourKey(TPixmap& pixmap) {
  if (!TPixmap::HasAlpha(pixmap.format)) return;
  for (int32_t y = 0; y < pixmap.height; ++y) {
    for (int32_t x = 0; x < pixmap.width; ++x) {
      uint32_t pixel = pixmap.Pixel(x, y);
      uint32_t a2 = pixel >> 30;
      uint32_t d = static_cast<uint32_t>(x + y) & 1;
      if (a2 + d <= 2) {
        pixmap.SetPixel(x, y, 0xFFFFFFFFu);
      } else if ((pixel & 0xFFFFFF) == 0xFFFFFF) {
        pixmap.SetPixel(x, y, 0x00FEFEFEu);
      }
    }
  }
}

}  // namespace tarn
