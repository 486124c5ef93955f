// What the binding's own files share: the handle map, the menu maps and the font wrapper.
// Windows build, GUI thread only.
#pragma once

#include <map>

#include "gui/native/gk_gadget.h"
#include "gui/win32/win32_gui.h"

namespace tarn {

// A font of this driver: holds a reference on its native font for as long as it lives.
class TWin32Font : public TGuiFont {
 public:
  GkRef<GkFont> native;
};

// Keyed by the decimal text of a menu command number: the caller's tag, and the menu gadget.
// Both only grow.
std::map<String, String>& MenuTagMap();
std::map<String, Ref<TWin32Gadget>>& MenuGadgetMap();

Ref<TWin32Gadget> GadgetFromNativeResource(GkResource* native);
// false when native is registered already.
bool RegisterGadget(GkResource* native, const Ref<TWin32Gadget>& gadget);
bool IsRegistered(GkResource* native);
void UnregisterGadget(GkResource* native);

// A menu item under group (a window's menu root, a pop-up root for the desktop, else group's
// own menu item) with the next command number.
Ref<TGadget> CreateMenuItem(const String& text, int32_t tag, const Ref<TWin32Gadget>& group);

}  // namespace tarn
