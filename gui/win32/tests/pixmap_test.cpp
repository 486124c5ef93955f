// The pixmap the GUI needs: conversion to 32-bit with alpha and the dithered colour key.
#include "gui/win32/pixmap.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(Pixmap, ConvertsToArgbWithOpaqueAlpha) {
  Ref<TPixmap> rgb = New<TPixmap>(2, 1, PIXMAP_RGB888);
  rgb->SetPixel(0, 0, 0x123456);
  rgb->SetPixel(1, 0, 0xABCDEF);
  Ref<TPixmap> argb = rgb->ToArgb();
  EXPECT_EQ(argb->format, PIXMAP_ARGB8888);
  EXPECT_EQ(argb->Pixel(0, 0), 0xFF123456u);
  EXPECT_EQ(argb->Words()[1], 0xFFABCDEFu);
  EXPECT_TRUE(argb->ToArgb() == argb);
  EXPECT_EQ(rgb->Pixel(5, 5), 0u);  // outside
  EXPECT_EQ(New<TPixmap>(-3, 2, PIXMAP_ARGB8888)->pixels.size(), 0u);
}

TEST(Pixmap, AlphaBecomesADitheredColourKey) {
  // Alpha 255 survives, 128 to 191 on every second place, below 128 never; pure white that
  // survives turns off-white so that it is not taken for the key.
  struct Case {
    uint32_t pixel;
    uint32_t atEven, atOdd;  // results where x + y is even, odd
  } cases[] = {
      {0xFF102030, 0xFF102030, 0xFF102030}, {0xC0102030, 0xC0102030, 0xC0102030},
      {0x80102030, 0xFFFFFFFF, 0x80102030}, {0x7F102030, 0xFFFFFFFF, 0xFFFFFFFF},
      {0x00102030, 0xFFFFFFFF, 0xFFFFFFFF}, {0xFFFFFFFF, 0x00FEFEFE, 0x00FEFEFE},
  };
  for (const Case& c : cases) {
    TPixmap pixmap(2, 1, PIXMAP_ARGB8888);
    pixmap.SetPixel(0, 0, c.pixel);
    pixmap.SetPixel(1, 0, c.pixel);
    DitherAlphaToColourKey(pixmap);
    EXPECT_EQ(pixmap.Pixel(0, 0), c.atEven) << std::hex << c.pixel;
    EXPECT_EQ(pixmap.Pixel(1, 0), c.atOdd) << std::hex << c.pixel;
  }
  TPixmap rgb(1, 1, PIXMAP_RGB888);
  DitherAlphaToColourKey(rgb);  // no alpha: left alone
  EXPECT_EQ(rgb.Pixel(0, 0), 0xFF000000u);
}

}  // namespace
}  // namespace tarn
