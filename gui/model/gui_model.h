// The portable gadget model: gadgets, proxies, hot keys and the posting of GUI events.
//
// InitGuiModel starts the runtime and the event system and makes blankGadget, the do-nothing
// gadget that a new proxy targets. Main thread only.
#pragma once

#include <cstdint>

#include "events/event.h"
#include "gui/model/data_source.h"
#include "gui/model/gadget.h"
#include "gui/model/hot_keys.h"
#include "gui/model/proxy_gadget.h"

namespace tarn {

// A plain TGadget, made once by InitGuiModel.
extern Ref<TGadget> blankGadget;

void InitGuiModel();

// Makes the event and emits it with SendEvent. A source gadget that has a proxy is reported
// as that proxy. Every GUI event goes through here.
void PostGuiEvent(int32_t id, const Ref<Object>& source, int32_t data, int32_t modifiers, int32_t x,
                  int32_t y, const Ref<Object>& extra);

}  // namespace tarn
