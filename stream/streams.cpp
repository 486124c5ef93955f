#include "stream/streams.h"

#include "runtime/runtime.h"

namespace tarn {

void InitStreams() {
  static bool started = false;
  if (started) return;
  started = true;
  InitRuntime();
  New<TByteOrderStreamFactory>();  // the registry keeps it
}

}  // namespace tarn
