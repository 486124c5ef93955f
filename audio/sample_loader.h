// Loading sample buffers from URLs and streams, and the registry of loaders behind it.
//
// Loaders link themselves in front of the registry when constructed, so the newest is tried
// first; they live for the whole process and are registered during module start-up. The
// registry opens the source once, lets every loader try from the same starting position and
// closes the stream afterwards. Main thread only.
#pragma once

#include <cstdint>

#include "audio/sample_buffer.h"
#include "runtime/string.h"
#include "stream/stream.h"

namespace tarn {

class TSampleBufferLoader : public Object {
 public:
  TSampleBufferLoader();  // links this loader in front of the registry
  // The frames of stream, or the null object when the stream holds no format this loader
  // knows. A stream exception raised here counts as a refusal. The base class raises
  // TNullMethodException.
  virtual Ref<TSampleBuffer> TryLoad(const Ref<TStream>& stream);

  Ref<TSampleBufferLoader> next;  // the loader registered before this one
};

// The newest loader, the head of the registry.
Ref<TSampleBufferLoader> SampleBufferLoaders();

// source: a URL string or a stream object. The null object when the source cannot be opened
// or no loader accepts it. A stream that cannot tell its position raises TRuntimeException
// "Stream is not seekable" (and is left open); exceptions other than stream exceptions pass
// through and leave the stream open.
Ref<TSampleBuffer> LoadSampleBuffer(const Ref<Object>& source);
inline Ref<TSampleBuffer> LoadSampleBuffer(const char* url) {
  return LoadSampleBuffer(String(url));
}

// Four bytes as a four-character string, one character per byte; "" when the stream ends
// before four bytes arrived.
String ReadChunkTag(const Ref<TStream>& stream);

// Reads until count bytes arrived or the stream ends and returns how many arrived; a Read of
// 0 before the end raises TStreamReadException, as ReadBytes does.
int32_t ReadAvailable(TStream& stream, void* buf, int32_t count);

}  // namespace tarn
