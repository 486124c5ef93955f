#include "stream/byte_order_stream.h"

#include <utility>

namespace tarn {
namespace {

template <class T>
void Reverse(void* p) {
  auto* bytes = static_cast<uint8_t*>(p);
  for (size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(bytes[i], bytes[sizeof(T) - 1 - i]);
}

template <class T>
T ReadSwapped(TStream& stream) {
  T value{};
  stream.ReadBytes(&value, sizeof value);
  Reverse<T>(&value);
  return value;
}

template <class T>
void WriteSwapped(TStream& stream, T value) {
  Reverse<T>(&value);
  stream.WriteBytes(&value, sizeof value);
}

}  // namespace

int32_t TByteOrderStream::ReadShort() { return ReadSwapped<uint16_t>(*this); }
void TByteOrderStream::WriteShort(int32_t value) {
  WriteSwapped(*this, static_cast<uint16_t>(value));
}
int32_t TByteOrderStream::ReadInt() { return ReadSwapped<int32_t>(*this); }
void TByteOrderStream::WriteInt(int32_t value) { WriteSwapped(*this, value); }
int64_t TByteOrderStream::ReadLong() { return ReadSwapped<int64_t>(*this); }
void TByteOrderStream::WriteLong(int64_t value) { WriteSwapped(*this, value); }
float TByteOrderStream::ReadFloat() { return ReadSwapped<float>(*this); }
void TByteOrderStream::WriteFloat(float value) { WriteSwapped(*this, value); }
double TByteOrderStream::ReadDouble() { return ReadSwapped<double>(*this); }
void TByteOrderStream::WriteDouble(double value) { WriteSwapped(*this, value); }

void TByteOrderStream::Swap2(void* p) { Reverse<uint16_t>(p); }
void TByteOrderStream::Swap4(void* p) { Reverse<uint32_t>(p); }
void TByteOrderStream::Swap8(void* p) { Reverse<uint64_t>(p); }

Ref<TStream> TByteOrderStream::Create(const Ref<TStream>& stream) {
  if (!stream) return nullptr;
  Ref<TByteOrderStream> wrapper = New<TByteOrderStream>();
  wrapper->SetStream(stream);
  return wrapper;
}

// This machine is little-endian: big-endian values need swapping, little-endian ones do not.
Ref<TStream> TByteOrderStream::ByteOrderBig(const Ref<TStream>& stream) { return Create(stream); }
Ref<TStream> TByteOrderStream::ByteOrderLittle(const Ref<TStream>& stream) { return stream; }

Ref<TStream> TByteOrderStreamFactory::CreateStream(const Ref<Object>&, const String& proto,
                                                   const String& path, bool readable,
                                                   bool writeable) {
  if (proto == "bigendian") {
    return TByteOrderStream::ByteOrderBig(StreamOpen(path, readable, writeable));
  }
  if (proto == "littleendian") {
    return TByteOrderStream::ByteOrderLittle(StreamOpen(path, readable, writeable));
  }
  return nullptr;
}

Ref<TStream> WrapBigEndian(const Ref<TStream>& stream) {
  return TByteOrderStream::ByteOrderBig(stream);
}
Ref<TStream> WrapLittleEndian(const Ref<TStream>& stream) {
  return TByteOrderStream::ByteOrderLittle(stream);
}

}  // namespace tarn
