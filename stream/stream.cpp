#include "stream/stream.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace tarn {
namespace {

// Typed reads start from zero and let ReadBytes fill what the stream still holds.
template <class T>
T ReadValue(TStream& stream) {
  T value{};
  stream.ReadBytes(&value, sizeof value);
  return value;
}

template <class T>
void WriteValue(TStream& stream, T value) {
  stream.WriteBytes(&value, sizeof value);
}

}  // namespace

// ---- TIO: the primitives' defaults

bool TIO::Eof() { return Pos() == Size(); }
int32_t TIO::Pos() { return -1; }
int32_t TIO::Size() { return 0; }
int32_t TIO::Seek(int32_t) { return -1; }
int32_t TIO::Flush() { return 0; }
int32_t TIO::Close() { return 0; }
int32_t TIO::Read(void*, int32_t) { RaiseRuntimeError("Stream is not readable"); }
int32_t TIO::Write(const void*, int32_t) { RaiseRuntimeError("Stream is not writeable"); }

// ---- TStream: everything else, in terms of the primitives

int32_t TStream::ReadBytes(void* buf, int32_t count) {
  auto* at = static_cast<uint8_t*>(buf);
  int32_t remaining = count;
  while (remaining > 0 && !Eof()) {
    int32_t n = Read(at, remaining);
    if (n <= 0) Raise(New<TStreamReadException>());
    remaining -= n;
    at += n;
  }
  return count;
}

int32_t TStream::WriteBytes(const void* buf, int32_t count) {
  auto* at = static_cast<const uint8_t*>(buf);
  int32_t remaining = count;
  while (remaining > 0) {
    int32_t n = Write(at, remaining);
    if (n <= 0) Raise(New<TStreamWriteException>());
    remaining -= n;
    at += n;
  }
  return count;
}

int32_t TStream::SkipBytes(int32_t count) {
  uint8_t scratch[1024];
  int32_t remaining = count;
  while (remaining > 0 && !Eof()) {
    int32_t n = Read(scratch, std::min<int32_t>(remaining, sizeof scratch));
    if (n <= 0) Raise(New<TStreamReadException>());
    remaining -= n;
  }
  return count;
}

int32_t TStream::ReadByte() { return ReadValue<uint8_t>(*this); }
void TStream::WriteByte(int32_t value) { WriteValue(*this, static_cast<uint8_t>(value)); }
int32_t TStream::ReadShort() { return ReadValue<uint16_t>(*this); }
void TStream::WriteShort(int32_t value) { WriteValue(*this, static_cast<uint16_t>(value)); }
int32_t TStream::ReadInt() { return ReadValue<int32_t>(*this); }
void TStream::WriteInt(int32_t value) { WriteValue(*this, value); }
int64_t TStream::ReadLong() { return ReadValue<int64_t>(*this); }
void TStream::WriteLong(int64_t value) { WriteValue(*this, value); }
float TStream::ReadFloat() { return ReadValue<float>(*this); }
void TStream::WriteFloat(float value) { WriteValue(*this, value); }
double TStream::ReadDouble() { return ReadValue<double>(*this); }
void TStream::WriteDouble(double value) { WriteValue(*this, value); }

// One byte per Read call: over a file stream standard I/O buffers for us.
String TStream::ReadLine() {
  std::string line;
  uint8_t byte = 0;
  while (Read(&byte, 1) == 1) {
    if (byte == 0 || byte == '\n') break;
    if (byte != '\r') line.push_back(static_cast<char>(byte));
  }
  return String::FromBytes(line);
}

bool TStream::WriteLine(const String& text) {
  std::string bytes = text.ToBytes();
  int32_t length = static_cast<int32_t>(bytes.size());
  if (Write(bytes.data(), length) != length) return false;
  static const uint8_t kCrLf[2] = {'\r', '\n'};
  return Write(kCrLf, 2) == 2;
}

String TStream::ReadString(int32_t count) {
  if (count <= 0) return String();
  std::string bytes(static_cast<size_t>(count), '\0');
  ReadBytes(bytes.data(), count);
  return String::FromBytes(bytes);
}

void TStream::WriteString(const String& text) {
  std::string bytes = text.ToBytes();
  WriteBytes(bytes.data(), static_cast<int32_t>(bytes.size()));
}

Ref<Object> TStream::ReadObject() { Raise(String("Unable to read object")); }
void TStream::WriteObject(const Ref<Object>&) { Raise(String("Unable to write object")); }

// ---- TStreamWrapper

bool TStreamWrapper::Eof() { return stream->Eof(); }
int32_t TStreamWrapper::Pos() { return stream->Pos(); }
int32_t TStreamWrapper::Size() { return stream->Size(); }
int32_t TStreamWrapper::Seek(int32_t pos) { return stream->Seek(pos); }
int32_t TStreamWrapper::Flush() { return stream->Flush(); }
int32_t TStreamWrapper::Close() { return stream->Close(); }
int32_t TStreamWrapper::Read(void* buf, int32_t count) { return stream->Read(buf, count); }
int32_t TStreamWrapper::Write(const void* buf, int32_t count) { return stream->Write(buf, count); }
int32_t TStreamWrapper::ReadByte() { return stream->ReadByte(); }
void TStreamWrapper::WriteByte(int32_t value) { stream->WriteByte(value); }
int32_t TStreamWrapper::ReadShort() { return stream->ReadShort(); }
void TStreamWrapper::WriteShort(int32_t value) { stream->WriteShort(value); }
int32_t TStreamWrapper::ReadInt() { return stream->ReadInt(); }
void TStreamWrapper::WriteInt(int32_t value) { stream->WriteInt(value); }
float TStreamWrapper::ReadFloat() { return stream->ReadFloat(); }
void TStreamWrapper::WriteFloat(float value) { stream->WriteFloat(value); }
double TStreamWrapper::ReadDouble() { return stream->ReadDouble(); }
void TStreamWrapper::WriteDouble(double value) { stream->WriteDouble(value); }
String TStreamWrapper::ReadLine() { return stream->ReadLine(); }
bool TStreamWrapper::WriteLine(const String& text) { return stream->WriteLine(text); }
String TStreamWrapper::ReadString(int32_t count) { return stream->ReadString(count); }
void TStreamWrapper::WriteString(const String& text) { stream->WriteString(text); }
Ref<Object> TStreamWrapper::ReadObject() { return stream->ReadObject(); }
void TStreamWrapper::WriteObject(const Ref<Object>& object) { stream->WriteObject(object); }
void TStreamWrapper::SetStream(const Ref<TStream>& inner) { stream = inner; }

// ---- TStreamStream

int32_t TStreamStream::Close() {
  stream = nullptr;
  return 0;
}

Ref<TStreamStream> TStreamStream::Create(const Ref<TStream>& inner) {
  Ref<TStreamStream> wrapper = New<TStreamStream>();
  wrapper->SetStream(inner);
  return wrapper;
}

// ---- exceptions

String TStreamReadException::ToString() const { return "Error reading from stream"; }
String TStreamWriteException::ToString() const { return "Error writing to stream"; }

// ---- free functions

bool Eof(const Ref<TStream>& stream) { return stream->Eof(); }
int32_t Pos(const Ref<TStream>& stream) { return stream->Pos(); }
int32_t Size(const Ref<TStream>& stream) { return stream->Size(); }
int32_t Seek(const Ref<TStream>& stream, int32_t pos) { return stream->Seek(pos); }
int32_t Flush(const Ref<TStream>& stream) { return stream->Flush(); }
int32_t Close(const Ref<TStream>& stream) { return stream->Close(); }
int32_t ReadByte(const Ref<TStream>& stream) { return stream->ReadByte(); }
void WriteByte(const Ref<TStream>& stream, int32_t value) { stream->WriteByte(value); }
int32_t ReadShort(const Ref<TStream>& stream) { return stream->ReadShort(); }
void WriteShort(const Ref<TStream>& stream, int32_t value) { stream->WriteShort(value); }
int32_t ReadInt(const Ref<TStream>& stream) { return stream->ReadInt(); }
void WriteInt(const Ref<TStream>& stream, int32_t value) { stream->WriteInt(value); }
int64_t ReadLong(const Ref<TStream>& stream) { return stream->ReadLong(); }
void WriteLong(const Ref<TStream>& stream, int64_t value) { stream->WriteLong(value); }
float ReadFloat(const Ref<TStream>& stream) { return stream->ReadFloat(); }
void WriteFloat(const Ref<TStream>& stream, float value) { stream->WriteFloat(value); }
double ReadDouble(const Ref<TStream>& stream) { return stream->ReadDouble(); }
void WriteDouble(const Ref<TStream>& stream, double value) { stream->WriteDouble(value); }
String ReadLine(const Ref<TStream>& stream) { return stream->ReadLine(); }
bool WriteLine(const Ref<TStream>& stream, const String& text) { return stream->WriteLine(text); }
String ReadString(const Ref<TStream>& stream, int32_t count) { return stream->ReadString(count); }
void WriteString(const Ref<TStream>& stream, const String& text) { stream->WriteString(text); }

void StreamCopyAll(const Ref<TStream>& from, const Ref<TStream>& to, int32_t bufSize) {
  std::vector<uint8_t> buffer(static_cast<size_t>(std::max<int32_t>(bufSize, 1)));
  int32_t chunk = static_cast<int32_t>(buffer.size());
  while (!from->Eof()) {
    int32_t n = from->Read(buffer.data(), chunk);
    // A stream that delivers nothing before its end would spin here for ever.
    if (n <= 0) Raise(New<TStreamReadException>());
    to->WriteBytes(buffer.data(), n);
  }
}

void StreamCopyCount(const Ref<TStream>& from, const Ref<TStream>& to, int32_t count,
                     int32_t bufSize) {
  std::vector<uint8_t> buffer(static_cast<size_t>(std::max<int32_t>(bufSize, 1)));
  int32_t chunk = static_cast<int32_t>(buffer.size());
  while (count > 0) {
    int32_t n = std::min(count, chunk);
    // Past the end of from, ReadBytes delivers nothing: write zeros, not the last chunk again.
    std::memset(buffer.data(), 0, static_cast<size_t>(n));
    from->ReadBytes(buffer.data(), n);
    to->WriteBytes(buffer.data(), n);
    count -= n;
  }
}

}  // namespace tarn
