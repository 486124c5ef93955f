#include <chrono>

#include "audio/mixer/mixer_internal.h"

namespace sonaflux {

uint32_t system_clock_ms() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace sonaflux
