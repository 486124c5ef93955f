#include <windows.h>
#include <mmsystem.h>

#include "audio/mixer/mixer_internal.h"

namespace sonaflux {

uint32_t system_clock_ms() { return timeGetTime(); }

}  // namespace sonaflux
