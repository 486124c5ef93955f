#include "gui/model/gui_driver.h"

namespace tarn {

Ref<TLoomkitDriver> guiDriver;

Ref<TGuiFont> TLoomkitDriver::LoadFont(const String&, int32_t, int32_t) { RaiseAbstract(); }
Ref<TGadget> TLoomkitDriver::CreateGadget(int32_t, const String&, int32_t, int32_t, int32_t,
                                          int32_t, const Ref<TGadget>&, int32_t) {
  RaiseAbstract();
}
Ref<TGadget> TLoomkitDriver::FocusedGadget() { RaiseAbstract(); }
int32_t TLoomkitDriver::PickColor(int32_t, int32_t, int32_t) { RaiseAbstract(); }
Ref<TGuiFont> TLoomkitDriver::PickFont(const Ref<TGuiFont>&) { RaiseAbstract(); }
void TLoomkitDriver::SetMousePointer(int32_t) { RaiseAbstract(); }
Ref<TIconStrip> TLoomkitDriver::LoadIconStrip(const Ref<Object>&) { RaiseAbstract(); }

}  // namespace tarn
