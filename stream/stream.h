// The abstract stream: every byte the system reads or writes goes through it.
//
// TIO declares eight primitives (Eof ... Write) with default bodies; TStream adds block,
// typed, line, string and object operations written in terms of those primitives, so a new
// kind of stream implements only what it supports. Multi-byte values are the machine's own
// little-endian bytes; strings cross a plain stream one byte per code unit (low 8 bits out,
// bytes widened coming in). TStreamWrapper forwards to an inner stream and is the base of the
// filtering streams; TStreamStream is the wrapper handed out when a stream object is opened as
// a URL. Streams hold no locks: use one from the thread that opened it.
#pragma once

#include <cstdint>

#include "runtime/exceptions.h"
#include "runtime/object.h"
#include "runtime/string.h"

namespace tarn {

class TIO : public Object {
 public:
  virtual bool Eof();                 // Pos() == Size()
  virtual int32_t Pos();              // -1: the stream cannot tell
  virtual int32_t Size();             // 0
  virtual int32_t Seek(int32_t pos);  // the new position; -1: not seekable
  virtual int32_t Flush();            // 0
  virtual int32_t Close();            // 0
  // Bytes actually moved; 0 at the end. The defaults raise "Stream is not readable" /
  // "Stream is not writeable".
  virtual int32_t Read(void* buf, int32_t count);
  virtual int32_t Write(const void* buf, int32_t count);
};

class TStream : public TIO {
 public:
  // Read until count bytes arrived or the stream ends, and return count either way: bytes
  // past the end are left untouched. A Read of 0 before the end raises TStreamReadException.
  virtual int32_t ReadBytes(void* buf, int32_t count);
  // Write all count bytes; a Write of 0 raises TStreamWriteException. Returns count.
  virtual int32_t WriteBytes(const void* buf, int32_t count);
  virtual int32_t SkipBytes(int32_t count);

  // Typed values start from zero, so what the end of the stream withholds reads as 0.
  virtual int32_t ReadByte();  // 0..255
  virtual void WriteByte(int32_t value);
  virtual int32_t ReadShort();  // 0..65535
  virtual void WriteShort(int32_t value);
  virtual int32_t ReadInt();
  virtual void WriteInt(int32_t value);
  virtual int64_t ReadLong();
  virtual void WriteLong(int64_t value);
  virtual float ReadFloat();
  virtual void WriteFloat(float value);
  virtual double ReadDouble();
  virtual void WriteDouble(double value);

  // The bytes up to LF or NUL (consumed, not returned), every CR dropped. Never raises for
  // the end of the stream: there it gives what it has, "" at the very end.
  virtual String ReadLine();
  // The text's bytes and CR LF through Write; false on a short write, nothing raised.
  virtual bool WriteLine(const String& text);
  virtual String ReadString(int32_t count);
  virtual void WriteString(const String& text);  // no terminator

  // Only data streams carry objects; these raise "Unable to read object" / "... write ...".
  virtual Ref<Object> ReadObject();
  virtual void WriteObject(const Ref<Object>& object);
};

// Forwards to the inner stream. ReadBytes, WriteBytes, SkipBytes, ReadLong and WriteLong are
// deliberately not forwarded: the TStream bodies run and reach the inner stream through the
// forwarded Read, Write and Eof. Using a wrapper without an inner stream raises
// TNullObjectException.
class TStreamWrapper : public TStream {
 public:
  bool Eof() override;
  int32_t Pos() override;
  int32_t Size() override;
  int32_t Seek(int32_t pos) override;
  int32_t Flush() override;
  int32_t Close() override;  // closes the inner stream
  int32_t Read(void* buf, int32_t count) override;
  int32_t Write(const void* buf, int32_t count) override;
  int32_t ReadByte() override;
  void WriteByte(int32_t value) override;
  int32_t ReadShort() override;
  void WriteShort(int32_t value) override;
  int32_t ReadInt() override;
  void WriteInt(int32_t value) override;
  float ReadFloat() override;
  void WriteFloat(float value) override;
  double ReadDouble() override;
  void WriteDouble(double value) override;
  String ReadLine() override;
  bool WriteLine(const String& text) override;
  String ReadString(int32_t count) override;
  void WriteString(const String& text) override;
  Ref<Object> ReadObject() override;
  void WriteObject(const Ref<Object>& object) override;

  // Replaces the inner stream; the old one is released, not closed.
  virtual void SetStream(const Ref<TStream>& inner);

  Ref<TStream> stream;  // the inner stream; the null object until set
};

// What StreamOpen hands out for a stream object: closing it only detaches, so the wrapped
// stream stays open for whoever else holds it.
class TStreamStream : public TStreamWrapper {
 public:
  int32_t Close() override;
  static Ref<TStreamStream> Create(const Ref<TStream>& inner);
};

// Mid-stream failures. Callers tell them apart by class.
class TStreamException : public Object {};
class TStreamReadException : public TStreamException {
 public:
  String ToString() const override;  // "Error reading from stream"
};
class TStreamWriteException : public TStreamException {
 public:
  String ToString() const override;  // "Error writing to stream"
};

// Free forms of the stream operations: each only calls the operation on stream.
bool Eof(const Ref<TStream>& stream);
int32_t Pos(const Ref<TStream>& stream);
int32_t Size(const Ref<TStream>& stream);
int32_t Seek(const Ref<TStream>& stream, int32_t pos);
int32_t Flush(const Ref<TStream>& stream);
int32_t Close(const Ref<TStream>& stream);
int32_t ReadByte(const Ref<TStream>& stream);
void WriteByte(const Ref<TStream>& stream, int32_t value);
int32_t ReadShort(const Ref<TStream>& stream);
void WriteShort(const Ref<TStream>& stream, int32_t value);
int32_t ReadInt(const Ref<TStream>& stream);
void WriteInt(const Ref<TStream>& stream, int32_t value);
int64_t ReadLong(const Ref<TStream>& stream);
void WriteLong(const Ref<TStream>& stream, int64_t value);
float ReadFloat(const Ref<TStream>& stream);
void WriteFloat(const Ref<TStream>& stream, float value);
double ReadDouble(const Ref<TStream>& stream);
void WriteDouble(const Ref<TStream>& stream, double value);
String ReadLine(const Ref<TStream>& stream);
bool WriteLine(const Ref<TStream>& stream, const String& text);
String ReadString(const Ref<TStream>& stream, int32_t count);
void WriteString(const Ref<TStream>& stream, const String& text);

// Copies until from ends, bufSize bytes at a time. A Read of 0 before the end raises
// TStreamReadException instead of spinning; write failures raise TStreamWriteException.
void StreamCopyAll(const Ref<TStream>& from, const Ref<TStream>& to, int32_t bufSize);
// Copies count bytes; what from cannot deliver past its end is written as zeros.
void StreamCopyCount(const Ref<TStream>& from, const Ref<TStream>& to, int32_t count,
                     int32_t bufSize);

}  // namespace tarn
