#include <windows.h>
#include <mmsystem.h>

#include "runtime/millisecs.h"

namespace tarn {

uint32_t MilliSecs() { return timeGetTime(); }

}  // namespace tarn
