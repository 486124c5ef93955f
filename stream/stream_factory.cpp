#include "stream/stream_factory.h"

#include <algorithm>

#include "stream/cstream.h"

namespace tarn {
namespace {

// The registry head. Kept on the heap for good: factories live for the whole process, and
// the registry must outlast every exit-time destructor that could still open a stream.
Ref<TStreamFactory>& Head() {
  static auto* head = new Ref<TStreamFactory>();
  return *head;
}

// Wrapper protocols open the rest of their URL through StreamOpen again. A URL wrapped deeper
// than this opens nothing, so hostile text cannot use up the stack.
constexpr int kDeepestWrapping = 64;
int wrapping = -1;  // wrappers around the StreamOpen now running; -1 outside any

class WrappingLevel {
 public:
  WrappingLevel() { ++wrapping; }
  ~WrappingLevel() { --wrapping; }
  WrappingLevel(const WrappingLevel&) = delete;
  WrappingLevel& operator=(const WrappingLevel&) = delete;
};

}  // namespace

TStreamFactory::TStreamFactory() {
  next = Head();
  Head() = Ref<TStreamFactory>(this);
}

// A registered factory lives as long as the process, so only one whose derived constructor
// raised (or one that was not made with New) gets here while still linked in. It is taken
// out, so that the registry never points at a freed factory.
TStreamFactory::~TStreamFactory() {
  for (Ref<TStreamFactory>* link = &Head(); *link; link = &(*link)->next) {
    if (link->Get() == this) {
      Retain();  // dropping the registry's reference must not free this a second time
      *link = next;
      return;
    }
  }
}

Ref<TStream> TStreamFactory::CreateStream(const Ref<Object>&, const String&, const String&, bool,
                                          bool) {
  RaiseAbstract();
}

Ref<TStreamFactory> StreamFactories() { return Head(); }

Ref<TStream> StreamOpen(const Ref<Object>& url, bool readable, bool writeable) {
  WrappingLevel level;
  if (wrapping > kDeepestWrapping) return nullptr;
  if (Ref<TStream> stream = Cast<TStream>(url)) return TStreamStream::Create(stream);
  String text = String::FromObject(url);
  String proto;
  String path;
  if (!text.IsEmpty()) {
    int32_t separator = text.Find("::");
    // A single ":" (a drive letter) is part of a plain path; plain paths skip the registry.
    if (separator < 0) return TCStream::OpenPath(text, readable, writeable);
    proto = text.Left(separator).ToLower();
    path = text.Mid(separator + 2);
  }
  for (Ref<TStreamFactory> factory = Head(); factory; factory = factory->next) {
    if (Ref<TStream> stream = factory->CreateStream(url, proto, path, readable, writeable)) {
      return stream;
    }
  }
  return nullptr;
}

Ref<TStream> StreamOpenRead(const Ref<Object>& url) { return StreamOpen(url, true, false); }
Ref<TStream> StreamOpenWrite(const Ref<Object>& url) { return StreamOpen(url, false, true); }

Ref<TStream> FileOpen(const Ref<Object>& url, bool readable, bool writeable) {
  // An unseekable stream (Pos -1) is to be buffered in a memory bank; until banks exist it
  // is handed out as it is.
  return StreamOpen(url, readable, writeable);
}

Ref<TStream> FileOpenRead(const Ref<Object>& url) { return FileOpen(url, true, false); }
Ref<TStream> FileOpenWrite(const Ref<Object>& url) { return FileOpen(url, false, true); }

void FileClose(const Ref<TStream>& stream) {
  if (stream) stream->Close();
}

std::vector<uint8_t> UrlLoadBytes(const Ref<Object>& url) {
  std::vector<uint8_t> buffer;
  Ref<TStream> stream = StreamOpenRead(url);
  if (!stream) return buffer;
  buffer.resize(1024);
  size_t length = 0;
  while (!stream->Eof()) {
    if (length == buffer.size()) buffer.resize(length * 3 / 2);
    int32_t room = static_cast<int32_t>(std::min<size_t>(buffer.size() - length, INT32_MAX));
    int32_t n = stream->Read(buffer.data() + length, room);
    if (n <= 0) break;  // nothing more although not at the end: take it as the end
    length += static_cast<size_t>(n);
  }
  stream->Close();
  buffer.resize(length);
  return buffer;
}

void UrlSaveBytes(const std::vector<uint8_t>& bytes, const Ref<Object>& url) {
  Ref<TStream> stream = StreamOpenWrite(url);
  if (!stream) return;
  stream->WriteBytes(bytes.data(), static_cast<int32_t>(bytes.size()));
  stream->Close();
}

String UrlLoadString(const Ref<Object>& url) {
  std::vector<uint8_t> bytes = UrlLoadBytes(url);
  return String::FromBytes(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void UrlSaveString(const String& text, const Ref<Object>& url) {
  Ref<TStream> stream = StreamOpenWrite(url);
  if (!stream) return;
  std::string bytes = text.ToBytes();
  stream->WriteBytes(bytes.data(), static_cast<int32_t>(bytes.size()));
  stream->Close();
}

Ref<Object> UrlLoadObject(const Ref<Object>& url) {
  Ref<TStream> stream = StreamOpenRead(url);
  if (!stream) return nullptr;
  Ref<Object> object = stream->ReadObject();
  stream->Close();
  return object;
}

void UrlSaveObject(const Ref<Object>& object, const Ref<Object>& url) {
  Ref<TStream> stream = StreamOpenWrite(url);
  if (!stream) return;
  stream->WriteObject(object);
  stream->Close();
}

}  // namespace tarn
