// The GUI driver contract: what a platform must supply to make and find gadgets.
//
// TLoomkitDriver is abstract: each operation raises "Attempt to call abstract method" unless
// a driver overrides it. The installed driver lives in guiDriver, the null object until a
// driver module stores one there; the front-end functions use whatever it holds at the moment
// of the call. Main thread only.
#pragma once

#include <cstdint>

#include "gui/model/gadget.h"

namespace tarn {

class TLoomkitDriver : public Object {
 public:
  // The font the platform gives for name, size (points) and FONT_ style bits, or the null
  // object.
  virtual Ref<TGuiFont> LoadFont(const String& name, int32_t size, int32_t style);
  // A new gadget of class (GADGET_...), attached to group (the null object: the desktop);
  // class GADGET_DESKTOP gives the shared desktop gadget.
  virtual Ref<TGadget> CreateGadget(int32_t gadgetClass, const String& text, int32_t x, int32_t y,
                                    int32_t width, int32_t height, const Ref<TGadget>& group,
                                    int32_t style);
  virtual Ref<TGadget> FocusedGadget();
  // The colour requester opened on r, g, b: 0 when cancelled, else 0xFFrrggbb.
  virtual int32_t PickColor(int32_t r, int32_t g, int32_t b);
  // The font requester opened on font: the chosen font (font itself when unchanged), or the
  // null object.
  virtual Ref<TGuiFont> PickFont(const Ref<TGuiFont>& font);
  virtual void SetMousePointer(int32_t shape);
  // An icon strip from a pixmap or anything a pixmap loads from, or the null object.
  virtual Ref<TIconStrip> LoadIconStrip(const Ref<Object>& source);
};

extern Ref<TLoomkitDriver> guiDriver;

}  // namespace tarn
