// The stream module: stream model, file streams, URL opening and the byte-order wrappers.
#pragma once

#include "stream/byte_order_stream.h"
#include "stream/cstream.h"
#include "stream/stream.h"
#include "stream/stream_factory.h"

namespace tarn {

// Once-guarded: initialises the runtime, then registers the byte-order stream factory.
void InitStreams();

}  // namespace tarn
