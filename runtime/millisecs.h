// The system's millisecond counter: timeGetTime on Windows, a monotonic clock on the host.
// It wraps at 32 bits; compare two readings by their difference, never by their order.
#pragma once

#include <cstdint>

namespace tarn {

uint32_t MilliSecs();

}  // namespace tarn
