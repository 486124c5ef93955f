// Fonts of the native library: Win32Font wraps a GDI font with its metrics, face name, size
// and style; Win32FontDriver makes them and keeps the one screen device context used for all
// measuring. GUI thread only.
#pragma once

#include "gui/native/win32_api.h"

#include "gui/native/gk_gadget.h"

namespace tarn {

class Win32Font : public GkFont {
 public:
  // Takes over handle (deleted with the font unless borrowed). Reads metrics and face name.
  Win32Font(HFONT handle, int32_t size, bool borrowed);

  int32_t MaxCharWidth() override { return metrics.tmMaxCharWidth; }
  int32_t Height() override { return metrics.tmHeight; }
  int32_t Ascent() override { return metrics.tmAscent; }
  int32_t Descent() override { return metrics.tmDescent; }
  void TextExtent(const String& text, int32_t& width, int32_t& height) override;
  String FaceName() override { return faceName; }
  int32_t Size() override { return size; }
  int32_t Style() override { return style; }

  HFONT handle = nullptr;
  TEXTMETRICA metrics{};
  String faceName;
  int32_t size = 0;
  int32_t style = 0;

 protected:
  ~Win32Font() override;

 private:
  bool borrowed_ = false;
};

class GkFontDriver {
 public:
  virtual ~GkFontDriver() = default;
  virtual GkFont* CreateFont(const String& name, int32_t size, int32_t style) = 0;
};

class Win32FontDriver : public GkFontDriver {
 public:
  // The name goes to Windows as a face name unchanged; Windows picks a font for any name.
  GkFont* CreateFont(const String& name, int32_t size, int32_t style) override;
};

// Font driver start-up (the screen device context) and its exit clean-up.
void StartFontDriver();
Win32FontDriver& FontDriver();
HDC ScreenDC();

}  // namespace tarn
