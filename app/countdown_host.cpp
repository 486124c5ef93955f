#include "app/countdown.h"

namespace tarn {

// The host has no windows to flash.
void FlashNativeWindow(intptr_t, bool) {}

}  // namespace tarn
