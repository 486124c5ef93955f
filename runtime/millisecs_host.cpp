#include <chrono>

#include "runtime/millisecs.h"

namespace tarn {

uint32_t MilliSecs() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace tarn
