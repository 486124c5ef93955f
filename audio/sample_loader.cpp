#include "audio/sample_loader.h"

#include "runtime/runtime.h"
#include "stream/stream_factory.h"

namespace tarn {

namespace {

Ref<TSampleBufferLoader>& Head() {
  static auto* head = new Ref<TSampleBufferLoader>();  // never destroyed: loaders live on
  return *head;
}

// TryLoad, with a stream exception counted as a refusal.
Ref<TSampleBuffer> TryLoader(TSampleBufferLoader& loader, const Ref<TStream>& stream) {
  try {
    return loader.TryLoad(stream);
  } catch (const Raised& raised) {
    if (Is<TStreamException>(raised.Value())) return nullptr;
    throw;
  }
}

}  // namespace

TSampleBufferLoader::TSampleBufferLoader() {
  next = Head();
  Head() = Ref<TSampleBufferLoader>(this);
}

Ref<TSampleBuffer> TSampleBufferLoader::TryLoad(const Ref<TStream>&) { RaiseAbstract(); }

Ref<TSampleBufferLoader> SampleBufferLoaders() { return Head(); }

Ref<TSampleBuffer> LoadSampleBuffer(const Ref<Object>& source) {
  Ref<TStream> stream = StreamOpenRead(source);
  if (!stream) return nullptr;
  int32_t start = stream->Pos();
  if (start == -1) RaiseRuntimeError("Stream is not seekable");
  Ref<TSampleBuffer> result;
  for (Ref<TSampleBufferLoader> loader = Head(); loader && !result; loader = loader->next) {
    stream->Seek(start);
    result = TryLoader(*loader, stream);
  }
  stream->Close();
  return result;
}

int32_t ReadAvailable(TStream& stream, void* buf, int32_t count) {
  auto* at = static_cast<uint8_t*>(buf);
  int32_t arrived = 0;
  while (arrived < count && !stream.Eof()) {
    int32_t n = stream.Read(at + arrived, count - arrived);
    if (n <= 0) Raise(New<TStreamReadException>());
    arrived += n;
  }
  return arrived;
}

String ReadChunkTag(const Ref<TStream>& stream) {
  char tag[4];
  if (ReadAvailable(*stream, tag, 4) < 4) return String();
  return String::FromBytes(std::string_view(tag, 4));
}

}  // namespace tarn
