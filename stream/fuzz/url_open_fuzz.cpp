// Opening arbitrary text as a URL, then using what opened: never a crash, a sanitizer report
// or an exception from the opening itself, and no file outside a scratch folder touched.
//
// How nothing outside is touched: the run works in a fresh scratch folder (its working
// directory), and every "/" and "\" of the input becomes "_" before the text is opened. A
// URL can then only name entries of the working directory: there is no root to start from,
// no drive ("C:x" is a plain file name on this host), and ".." can only stand alone, where it
// names a folder, which no file stream opens. Protocols hand the text after "::" on as a
// URL, which is neutralised just the same.
//
// Input: byte 0 chooses the flags (readable, writeable) and whether the opened stream is
// written to and read from; the rest is the URL, one byte per code unit (NUL bytes kept).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "stream/fuzz/fuzz_scratch.h"
#include "stream/streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static int runs = [] {
    tarn::InitStreams();
    tarn::fuzzing::EnterScratchFolder("url_open_fuzz");
    return 0;
  }();
  if (++runs % 1000 == 0) tarn::fuzzing::EmptyScratchFolder();
  if (size < 1) return 0;
  bool readable = data[0] & 1;
  bool writeable = data[0] & 2;
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  for (char& c : text) {
    if (c == '/' || c == '\\') c = '_';
  }

  tarn::Ref<tarn::TStream> stream;
  try {
    stream = tarn::StreamOpen(tarn::String::FromBytes(text), readable, writeable);
  } catch (...) {
    std::abort();  // opening reports failure by the null object, never by raising
  }
  if (!stream) return 0;
  try {
    if (writeable && (data[0] & 4)) stream->WriteBytes(text.data(), int32_t(text.size() % 64));
    if (readable && (data[0] & 8)) {
      stream->Seek(0);
      stream->ReadLine();
      stream->ReadInt();
    }
  } catch (const tarn::Raised&) {
    // Mid-stream failures raise, as they should; the stream is still closed below.
  }
  stream->Close();
  return 0;
}
