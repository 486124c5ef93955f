// The stream module: stream model, file streams, URL opening, the byte-order wrappers, text
// streams, banks and bank streams, data types and data streams.
#pragma once

#include "stream/bank.h"
#include "stream/byte_order_stream.h"
#include "stream/console_stream.h"
#include "stream/cstream.h"
#include "stream/data_stream.h"
#include "stream/stream.h"
#include "stream/stream_factory.h"
#include "stream/text_stream.h"

namespace tarn {

// Once-guarded: initialises the runtime, then registers the data types (lists, banks) and the
// stream factories (data, bank, text, byte order: consulted in the reverse order), and makes
// the console stream.
void InitStreams();

}  // namespace tarn
