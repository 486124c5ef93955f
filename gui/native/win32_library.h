// The native library's entry points: its start-up, the desktop, the factory and the creation
// functions, the default GUI font, the requesters and the mouse pointer.
//
// StartNativeLibrary runs once (the binding's driver calls it): fonts, OLE, the common
// controls, the rich edit library, the default GUI font, the desktop and the factory; at
// process exit COM is shut down and the font driver's device context deleted. GUI thread only.
#pragma once

#include "gui/native/win32_font.h"

namespace tarn {

class Win32Desktop : public GkDesktop {
 public:
  Win32Desktop();
  intptr_t Query(int32_t code) override;
  void ClientRect(int32_t& x, int32_t& y, int32_t& width, int32_t& height) override;
  void SetShow(int32_t) override {}
  void SetEnabled(int32_t) override {}
  void Activate(int32_t) override {}

  HWND window = nullptr;
};

class Win32GuiDriver : public GkGuiDriver {
 public:
  GkGadget* CreateLabel(GkGroup* parent, int32_t style) override;
  GkGadget* CreateButton(GkGroup* parent, int32_t style) override;
  GkGadget* CreateTextField(GkGroup* parent, int32_t style) override;
  GkGadget* CreateWindow(GkGroup* parent, int32_t style) override;
  GkGadget* CreatePanel(GkGroup* parent, int32_t style) override;
  GkDesktop* Desktop() override;
};

void StartNativeLibrary();
GkGuiDriver* NativeFactory();
Win32Font* DefaultGuiFont();

// Creates a gadget of a class code of the front end (1 window, 2 button, 3 panel, 4 text
// field, 12 label; 17 a panel with style bit 4 added) with its rectangle, its text where the
// class has one, shown unless it is a window of style bit 64, and its layout locked. Classes
// the library does not have give null. The caller holds the one reference.
GkGadget* CreateNativeGadget(int32_t gadgetClass, const String& text, int32_t x, int32_t y,
                             int32_t width, int32_t height, GkGroup* parent, int32_t style);

// A strip of square icons, as high as the picture, from 32-bit pixels whose pure white is
// transparent; null when Windows makes none.
GkIconStrip* LoadNativeIconStrip(const GkPixels& pixels);

// The colour requester opened on colour (0x00bbggrr); true when a colour was chosen.
bool RequestColor(COLORREF& colour);
// The font requester opened on font (or none); a new font, or null when nothing was chosen.
Win32Font* RequestFont(Win32Font* font);

}  // namespace tarn
