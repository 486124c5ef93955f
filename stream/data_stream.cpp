#include "stream/data_stream.h"

#include <algorithm>

#include "stream/bank.h"

namespace tarn {
namespace {

constexpr int32_t kBackReference = 255;
constexpr int32_t kNullObject = 0;
constexpr int32_t kBankChunk = 64 * 1024;

[[noreturn]] void RaiseCorrupt() { Raise(String("Corrupt data stream")); }

// Counts the nesting of one ReadObject or WriteObject inside another.
class DepthGuard {
 public:
  explicit DepthGuard(int32_t& depth) : depth_(depth) {
    if (++depth_ > TDataStream::kMaxDepth) {
      --depth_;
      Raise(String("Data stream nested too deeply"));
    }
  }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  int32_t& depth_;
};

}  // namespace

int32_t TDataIndex::Compare(const Object& other) const {
  auto* index = dynamic_cast<const TDataIndex*>(&other);
  if (!index) return Object::Compare(other);
  return value < index->value ? -1 : value > index->value ? 1 : 0;
}

// ---- TDataStream

Ref<TDataStream> TDataStream::Create(const Ref<TStream>& stream) {
  Ref<TDataStream> data = New<TDataStream>();
  data->SetStream(stream);
  return data;
}

void TDataStream::WriteObject(const Ref<Object>& object) {
  Ref<TDataObject> data = Cast<TDataObject>(object);
  if (!data) {
    WriteByte(kNullObject);
    return;
  }
  if (Ref<TDataIndex> number = Cast<TDataIndex>(writtenObjects->Get(object))) {
    WriteByte(kBackReference);
    WriteInt(number->value);
    return;
  }
  DepthGuard guard(depth_);
  Ref<TDataType> type = data->DataType();
  String name = type->Name();
  if (Ref<TDataIndex> id = Cast<TDataIndex>(writtenTypes->Get(name))) {
    WriteByte(id->value);
  } else {
    // Ids 1..254: 0 and 255 are the null object and the back-reference.
    if (typeCount + 1 >= kBackReference) Raise(String("Too many DataTypes"));
    ++typeCount;
    writtenTypes->Insert(name, TDataIndex::Create(typeCount));
    WriteByte(typeCount);
    WriteLine(name);
  }
  // Numbered before the content, so references to the object from inside its own content
  // become back-references.
  ++objectCount;
  writtenObjects->Insert(object, TDataIndex::Create(objectCount));
  type->WriteObject(object, *this);
}

Ref<Object> TDataStream::ReadObject() {
  int32_t id = ReadByte();
  if (id == kNullObject) return nullptr;
  if (id == kBackReference) {
    int32_t number = ReadInt();
    // A number never given in this stream (0, negative, not yet read) is the null object.
    if (number < 1 || number > objectCount) return nullptr;
    return readObjects[static_cast<size_t>(number)];
  }
  if (id < 0 || id > kBackReference) RaiseCorrupt();  // a text stream's lines can hold anything
  DepthGuard guard(depth_);
  Ref<TDataType>& type = readTypes[static_cast<size_t>(id)];
  if (!type) {
    String name = ReadLine();
    type = FindDataType(name);
    if (!type) Raise(String("Unrecognized DataType: ") + name);
  }
  // The number is reserved before the content is read, mirroring the writer; the object is
  // entered only afterwards, so a reference to itself from inside reads as the null object.
  int32_t number = ++objectCount;
  if (static_cast<size_t>(objectCount) == readObjects.size()) {
    readObjects.resize(static_cast<size_t>(objectCount) * 2);
  }
  Ref<TDataType> reader = type;
  Ref<Object> object = reader->ReadObject(*this);
  readObjects[static_cast<size_t>(number)] = object;
  reader->FinishRead(object, *this);
  return object;
}

int32_t TDataStream::ReadCount() {
  int32_t count = ReadInt();
  if (count < 0) RaiseCorrupt();
  int32_t pos = Pos();
  int32_t size = Size();
  // Every counted element or byte takes at least one byte of the inner stream.
  if (pos >= 0 && size >= pos && count > size - pos) RaiseCorrupt();
  return count;
}

// ---- the data protocol

Ref<TStream> TDataStreamFactory::CreateStream(const Ref<Object>&, const String& proto,
                                              const String& path, bool readable, bool writeable) {
  if (proto != "data") return nullptr;
  if (readable && writeable) Raise(String("DataStreams can not be both readable and writeable"));
  Ref<TStream> inner = StreamOpen(path, readable, writeable);
  if (!inner) return nullptr;
  return TDataStream::Create(inner);
}

// ---- lists

Ref<Object> TListDataType::ReadObject(TDataStream& stream) {
  Ref<TList> list = New<TList>();
  int32_t count = stream.ReadCount();
  for (int32_t i = 0; i < count; ++i) {
    // A stream that cannot tell its size is bounded here: no element without a byte for it.
    if (stream.Eof()) RaiseCorrupt();
    list->AddLast(stream.ReadObject());
  }
  return list;
}

void TListDataType::WriteObject(const Ref<Object>& object, TDataStream& stream) {
  Ref<TList> list = Cast<TList>(object);
  stream.WriteInt(list->Count());
  for (const Ref<Object>& element : *list) stream.WriteObject(element);
}

// ---- banks

Ref<Object> TBankDataType::ReadObject(TDataStream& stream) {
  int32_t size = stream.ReadCount();
  // A stream that can tell its size has vouched for size already: one allocation of exactly
  // that. Otherwise the bank grows chunk by chunk while the stream still holds bytes, so a size
  // that lies costs one chunk at most. Bytes the stream withholds read as zeros.
  Ref<TBank> bank = TBank::Create(stream.Pos() >= 0 ? size : 0);
  std::fill_n(bank->Buf(), bank->Size(), 0);
  for (int32_t filled = 0; filled < size;) {
    if (stream.Eof()) RaiseCorrupt();
    int32_t chunk = std::min(size - filled, kBankChunk);
    if (bank->Size() < filled + chunk) {
      bank->Resize(filled + chunk);
      std::fill_n(bank->Buf() + filled, chunk, 0);
    }
    stream.ReadBytes(bank->Buf() + filled, chunk);
    filled += chunk;
  }
  return bank;
}

void TBankDataType::WriteObject(const Ref<Object>& object, TDataStream& stream) {
  Ref<TBank> bank = Cast<TBank>(object);
  stream.WriteInt(bank->Size());
  stream.WriteBytes(bank->Buf(), bank->Size());
}

}  // namespace tarn
