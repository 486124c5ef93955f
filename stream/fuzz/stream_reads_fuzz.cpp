// The line, typed and string reads of a stream over memory, driven by a script of operations:
// never a crash or a sanitizer report, the only exception is TStreamReadException (a read
// after a seek past the end), each result has the shape its operation promises, and reading
// lines to the end always gets there.
//
// Input: byte 0 sets how many bytes one Read may move (staging short reads), byte 1 how the
// stream is wrapped (plain, a stream-object wrapper, big-endian), byte 2 how many of the
// following bytes are the script; the rest is the stream's content.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "stream/streams.h"
#include "stream/tests/test_streams.h"

namespace {

using tarn::Ref;
using tarn::String;
using tarn::TStream;

void Check(bool condition) {
  if (!condition) std::abort();
}

bool IsLine(const String& line) {
  for (char16_t unit : line.Units()) {
    if (unit == u'\n' || unit == u'\r' || unit == 0 || unit > 0xFF) return false;
  }
  return true;
}

// One operation of the script; argument is the next script byte.
void RunOperation(TStream& stream, uint8_t op, uint8_t argument) {
  int32_t count = argument * 37;  // up to 9435: past the end of most contents
  switch (op % 12) {
    case 0: Check(IsLine(stream.ReadLine())); break;
    case 1: {
      int32_t byte = stream.ReadByte();
      Check(byte >= 0 && byte <= 255);
      break;
    }
    case 2: {
      int32_t value = stream.ReadShort();
      Check(value >= 0 && value <= 65535);
      break;
    }
    case 3: stream.ReadInt(); break;
    case 4: stream.ReadLong(); break;
    case 5: stream.ReadFloat(); break;
    case 6: stream.ReadDouble(); break;
    case 7: Check(stream.ReadString(count).Length() == count); break;
    case 8: {
      std::string bytes(static_cast<size_t>(count), '\0');
      Check(stream.ReadBytes(bytes.data(), count) == count);
      break;
    }
    case 9: Check(stream.SkipBytes(count) == count); break;
    case 10: stream.Seek(argument % (stream.Size() + 8)); break;
    case 11: Check(stream.Eof() == (stream.Pos() == stream.Size())); break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  int32_t chunk = data[0] < 128 ? 1 + data[0] % 16 : 1 << 30;
  uint8_t wrapping = data[1] % 3;
  size_t scriptLength = std::min<size_t>(data[2], size - 3);
  const uint8_t* script = data + 3;
  std::string content(reinterpret_cast<const char*>(script + scriptLength),
                      size - 3 - scriptLength);

  auto memory = tarn::New<tarn::testing::TMemoryStream>(content, SIZE_MAX, chunk);
  Ref<TStream> stream = memory;
  if (wrapping == 1) stream = tarn::StreamOpenRead(stream);
  if (wrapping == 2) stream = tarn::WrapBigEndian(stream);
  Check(!stream.IsNull());

  try {
    for (size_t i = 0; i < scriptLength; i += 2) {
      RunOperation(*stream, script[i], i + 1 < scriptLength ? script[i + 1] : 0);
      Check(memory->pos >= 0);
    }
  } catch (const tarn::Raised& raised) {
    // Only a read after a seek past the end may fail, and only as a read failure.
    Check(tarn::Is<tarn::TStreamReadException>(raised.Value()));
    Check(memory->pos >= static_cast<int32_t>(memory->bytes.size()));
    return 0;
  }

  // Reading lines from wherever the script left off reaches the end, one byte at least each.
  if (stream->Pos() > stream->Size()) stream->Seek(0);
  String line;
  for (int32_t left = stream->Size() - stream->Pos(); !stream->Eof(); --left) {
    Check(left > 0);
    line = stream->ReadLine();
    Check(IsLine(line));
  }
  return 0;
}
