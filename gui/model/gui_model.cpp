#include "gui/model/gui_model.h"

namespace tarn {

Ref<TGadget> blankGadget;

void InitGuiModel() {
  static bool started = false;
  if (started) return;
  started = true;
  InitRuntime();
  InitEvents();
  blankGadget = New<TGadget>();
}

void PostGuiEvent(int32_t id, const Ref<Object>& source, int32_t data, int32_t modifiers, int32_t x,
                  int32_t y, const Ref<Object>& extra) {
  Ref<Object> reported = source;
  Ref<TGadget> gadget = Cast<TGadget>(source);
  if (gadget && gadget->proxy) reported = gadget->proxy;
  SendEvent(MakeEvent(id, reported, data, modifiers, x, y, extra));
}

}  // namespace tarn
