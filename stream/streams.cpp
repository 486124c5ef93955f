#include "stream/streams.h"

#include "runtime/runtime.h"

namespace tarn {

void InitStreams() {
  static bool started = false;
  if (started) return;
  started = true;
  InitRuntime();
  // The registries keep what is constructed here.
  New<TListDataType>();
  New<TBankDataType>();
  New<TDataStreamFactory>();
  New<TMemoryBankStreamFactory>();
  New<TEncodedTextStreamFactory>();
  New<TByteOrderStreamFactory>();
  InitConsoleStream();
}

}  // namespace tarn
