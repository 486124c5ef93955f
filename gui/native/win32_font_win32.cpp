#include "gui/native/win32_font.h"

#include <cmath>

#include "gui/native/win32_core.h"
#include "system/startup.h"

namespace tarn {

namespace {
HDC screenDC = nullptr;

void EndFontDriver() {
  if (screenDC) DeleteDC(screenDC);
  screenDC = nullptr;
}
}  // namespace

void StartFontDriver() {
  if (screenDC) return;
  screenDC = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  AddExitHandler(EndFontDriver);
}

HDC ScreenDC() { return screenDC; }

Win32FontDriver& FontDriver() {
  static Win32FontDriver driver;
  return driver;
}

Win32Font::Win32Font(HFONT handle, int32_t size, bool borrowed)
    : handle(handle), size(size), borrowed_(borrowed) {
  HGDIOBJ old = SelectObject(screenDC, handle);
  GetTextMetricsA(screenDC, &metrics);
  char face[512] = {};
  int length = GetTextFaceA(screenDC, sizeof face, face);
  faceName = length > 0 ? String::FromBytes(face) : String();
  SelectObject(screenDC, old);
  if (metrics.tmItalic) style |= 2;
  if (metrics.tmUnderlined) style |= 4;
  if (metrics.tmWeight >= 700) style |= 1;
}

Win32Font::~Win32Font() {
  if (!borrowed_ && handle) DeleteObject(handle);
}

void Win32Font::TextExtent(const String& text, int32_t& width, int32_t& height) {
  std::string bytes = WindowTextBytes(text);
  SIZE extent{};
  HGDIOBJ old = SelectObject(screenDC, handle);
  GetTextExtentPoint32A(screenDC, bytes.data(), static_cast<int>(bytes.size()), &extent);
  SelectObject(screenDC, old);
  width = extent.cx;
  height = extent.cy;
}

GkFont* Win32FontDriver::CreateFont(const String& name, int32_t size, int32_t style) {
  int pixelsPerInch = GetDeviceCaps(screenDC, LOGPIXELSY);
  int height = -static_cast<int>(std::lround(size * static_cast<double>(pixelsPerInch) / 72.0));
  std::string face = WindowTextBytes(name, LF_FACESIZE - 1);
  HFONT handle =
      CreateFontA(height, 0, 0, 0, (style & 1) ? 700 : 0, (style & 2) ? TRUE : FALSE,
                  (style & 4) ? TRUE : FALSE, FALSE, 0, 0, 0, ANTIALIASED_QUALITY, 0, face.c_str());
  if (!handle) return nullptr;
  return new Win32Font(handle, size, false);
}

}  // namespace tarn
