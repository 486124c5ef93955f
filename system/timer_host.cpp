#include "system/timer.h"

namespace tarn {

// The host build has no message loop and no periodic timers of the operating system's: no
// timer starts there, and Make gives the null object.
int32_t StartTimerNative(float, TTimer*) { return 0; }
void StopTimerNative(int32_t) {}

}  // namespace tarn
