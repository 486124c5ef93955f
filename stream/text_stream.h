// Text streams: characters (16-bit code units) in one of four encodings over a byte stream.
//
// TEncodedTextStream encodes and decodes characters, reads and writes lines, and writes typed
// values as decimal text lines. Raw byte blocks (Read/Write, and so ReadBytes/WriteBytes)
// become lines of upper-case hexadecimal digits, 32 bytes to a line ended by CR LF, so binary
// data survives a text channel; every text operation first closes a pending hexadecimal line.
// Decoding is lenient: invalid UTF-8 and hexadecimal digits are not reported, they decode to
// whatever the formulas give, and a four-byte UTF-8 sequence decodes to 0. The factory answers
// "latin1", "utf8", "utf16be" and "utf16le" and never reads or writes a byte-order mark;
// TextLoad and TextSave do. Main thread only.
#pragma once

#include <cstdint>

#include "stream/stream.h"
#include "stream/stream_factory.h"

namespace tarn {

enum : int32_t {
  ENCODING_LATIN1 = 1,
  ENCODING_UTF8 = 2,
  ENCODING_UTF16BE = 3,
  ENCODING_UTF16LE = 4,
};

class TEncodedTextStream : public TStreamWrapper {
 public:
  // Raw bytes as hexadecimal lines.
  int32_t Read(void* buf, int32_t count) override;  // does not test for the end
  int32_t Write(const void* buf, int32_t count) override;

  // Typed values as decimal text lines; reads convert a line with the runtime's text-to-integer
  // rule (not narrowed to the type's width), floats with atof.
  int32_t ReadByte() override;
  void WriteByte(int32_t value) override;
  int32_t ReadShort() override;
  void WriteShort(int32_t value) override;
  int32_t ReadInt() override;
  void WriteInt(int32_t value) override;
  int64_t ReadLong() override;
  void WriteLong(int64_t value) override;
  float ReadFloat() override;
  void WriteFloat(float value) override;
  double ReadDouble() override;
  void WriteDouble(double value) override;

  // Up to LF or character 0 (consumed, not returned), every CR dropped; stops at the end.
  String ReadLine() override;
  bool WriteLine(const String& text) override;  // text and CR LF, encoded; returns false
  String ReadString(int32_t count) override;    // exactly count characters, no end test
  void WriteString(const String& text) override;

  String ReadAll();    // every character up to the end, line ends included
  int32_t ReadChar();  // one decoded character, 0..65535
  void WriteChar(int32_t c);
  static Ref<TEncodedTextStream> Create(const Ref<TStream>& stream, int32_t encoding);
  int32_t ReadRawByte();  // the inner stream's ReadByte
  void WriteRawByte(int32_t b);
  // Close a pending hexadecimal line: on input expect CR LF or LF (else the string
  // "Malformed line terminator" is raised), on output write CR LF.
  void FinishHexLineRead();
  void FinishHexLineWrite();

  int32_t encoding = 0;
  int32_t hexCount = 0;  // bytes of hexadecimal data on the current line; 0: none pending
};

class TEncodedTextStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>& url, const String& proto, const String& path,
                            bool readable, bool writeable) override;
};

// The whole text at url: after a byte-order mark (FE FF, FF FE, EF BB BF) decoded as UTF-16BE,
// UTF-16LE or UTF-8, without one each byte is a character (Latin-1). "" when url cannot be
// opened.
String TextLoad(const Ref<Object>& url);
// Latin-1 bytes when every character is at most 255, else the mark FF FE and UTF-16LE. Nothing
// is written when url cannot be opened.
void TextSave(const String& text, const Ref<Object>& url);

inline String TextLoad(const char* url) { return TextLoad(String(url)); }
inline void TextSave(const String& text, const char* url) { TextSave(text, String(url)); }

}  // namespace tarn
