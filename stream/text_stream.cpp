#include "stream/text_stream.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tarn {
namespace {

int32_t HexDigitValue(int32_t byte) {
  int32_t value = byte - '0';
  return value > 9 ? value - 7 : value;  // only 0-9 and A-F come out right; nothing is checked
}

int32_t EncodingOf(const String& proto) {
  if (proto == "latin1") return ENCODING_LATIN1;
  if (proto == "utf8") return ENCODING_UTF8;
  if (proto == "utf16be") return ENCODING_UTF16BE;
  if (proto == "utf16le") return ENCODING_UTF16LE;
  return 0;
}

}  // namespace

// ---- characters

int32_t TEncodedTextStream::ReadChar() {
  int32_t b = ReadRawByte();
  int32_t c = 0;
  switch (encoding) {
    case ENCODING_LATIN1: c = b; break;
    case ENCODING_UTF8: {
      if (b < 0x80) {
        c = b;
        break;
      }
      int32_t b2 = ReadRawByte();
      if (b < 0xE0) {
        c = (b - 0xC0) * 64 + (b2 - 0x80);
        break;
      }
      int32_t b3 = ReadRawByte();
      // A four-byte sequence gives 0 here; its fourth byte is read next as a character.
      if (b < 0xF0) c = (b - 0xE0) * 4096 + (b2 - 0x80) * 64 + (b3 - 0x80);
      break;
    }
    case ENCODING_UTF16BE: c = b * 256 + ReadRawByte(); break;
    case ENCODING_UTF16LE: c = b + ReadRawByte() * 256; break;
  }
  return c & 0xFFFF;  // stored as one code unit, so line ends are tested on what is stored
}

void TEncodedTextStream::WriteChar(int32_t c) {
  c &= 0xFFFF;
  switch (encoding) {
    case ENCODING_LATIN1: WriteRawByte(c); break;
    case ENCODING_UTF8:
      if (c < 0x80) {
        WriteRawByte(c);
      } else if (c < 0x800) {
        WriteRawByte(0xC0 | c / 64);
        WriteRawByte(0x80 | c % 64);
      } else {
        WriteRawByte(0xE0 | c / 4096);
        WriteRawByte(0x80 | (c / 64) % 64);
        WriteRawByte(0x80 | c % 64);
      }
      break;
    case ENCODING_UTF16BE:
      WriteRawByte(c / 256);
      WriteRawByte(c);
      break;
    case ENCODING_UTF16LE:
      WriteRawByte(c);
      WriteRawByte(c / 256);
      break;
  }
}

int32_t TEncodedTextStream::ReadRawByte() { return stream->ReadByte(); }
void TEncodedTextStream::WriteRawByte(int32_t b) { stream->WriteByte(b); }

// ---- text

String TEncodedTextStream::ReadLine() {
  FinishHexLineRead();
  std::u16string line;
  while (!Eof()) {
    int32_t c = ReadChar();
    if (c == 0 || c == '\n') break;
    if (c != '\r') line.push_back(static_cast<char16_t>(c));
  }
  return String(std::move(line));
}

String TEncodedTextStream::ReadAll() {
  FinishHexLineRead();
  std::u16string text;
  while (!Eof()) text.push_back(static_cast<char16_t>(ReadChar()));
  return String(std::move(text));
}

String TEncodedTextStream::ReadString(int32_t count) {
  FinishHexLineRead();
  std::u16string text;
  for (int32_t i = 0; i < count; ++i) text.push_back(static_cast<char16_t>(ReadChar()));
  return String(std::move(text));
}

void TEncodedTextStream::WriteString(const String& text) {
  FinishHexLineWrite();
  for (char16_t c : text.Units()) WriteChar(c);
}

bool TEncodedTextStream::WriteLine(const String& text) {
  FinishHexLineWrite();
  WriteString(text);
  WriteString("\r\n");
  return false;
}

// ---- typed values as decimal lines

int32_t TEncodedTextStream::ReadByte() { return ReadInt(); }
int32_t TEncodedTextStream::ReadShort() { return ReadInt(); }
int32_t TEncodedTextStream::ReadInt() {
  FinishHexLineRead();
  return StringToInt(ReadLine());
}
int64_t TEncodedTextStream::ReadLong() {
  FinishHexLineRead();
  return StringToLong(ReadLine());
}
float TEncodedTextStream::ReadFloat() { return static_cast<float>(ReadDouble()); }
double TEncodedTextStream::ReadDouble() {
  FinishHexLineRead();
  return std::atof(ReadLine().ToBytes().c_str());
}

void TEncodedTextStream::WriteByte(int32_t value) { WriteLong(value); }
void TEncodedTextStream::WriteShort(int32_t value) { WriteLong(value); }
void TEncodedTextStream::WriteInt(int32_t value) { WriteLong(value); }
void TEncodedTextStream::WriteLong(int64_t value) {
  FinishHexLineWrite();
  WriteLine(IntToString(value));
}
void TEncodedTextStream::WriteFloat(float value) {
  char text[64];
  std::snprintf(text, sizeof text, "%#.9g", static_cast<double>(value));
  FinishHexLineWrite();
  WriteLine(text);
}
void TEncodedTextStream::WriteDouble(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%#.17g", value);
  FinishHexLineWrite();
  WriteLine(text);
}

// ---- raw bytes as hexadecimal lines

int32_t TEncodedTextStream::Write(const void* buf, int32_t count) {
  static const char kDigits[] = "0123456789ABCDEF";
  const auto* bytes = static_cast<const uint8_t*>(buf);
  for (int32_t i = 0; i < count; ++i) {
    WriteRawByte(kDigits[bytes[i] >> 4]);
    WriteRawByte(kDigits[bytes[i] & 15]);
    if (++hexCount == 32) {
      WriteRawByte('\r');
      WriteRawByte('\n');
      hexCount = 0;
    }
  }
  return count;
}

int32_t TEncodedTextStream::Read(void* buf, int32_t count) {
  auto* bytes = static_cast<uint8_t*>(buf);
  for (int32_t i = 0; i < count; ++i) {
    if (hexCount == 32) FinishHexLineRead();
    int32_t high = HexDigitValue(ReadRawByte());
    int32_t low = HexDigitValue(ReadRawByte());
    bytes[i] = static_cast<uint8_t>(high * 16 + low);
    ++hexCount;
  }
  return count;
}

void TEncodedTextStream::FinishHexLineWrite() {
  if (hexCount == 0) return;
  WriteRawByte('\r');
  WriteRawByte('\n');
  hexCount = 0;
}

void TEncodedTextStream::FinishHexLineRead() {
  if (hexCount == 0) return;
  int32_t b = ReadRawByte();
  if (b == '\r') b = ReadRawByte();
  if (b != '\n') Raise(String("Malformed line terminator"));
  hexCount = 0;
}

Ref<TEncodedTextStream> TEncodedTextStream::Create(const Ref<TStream>& stream, int32_t encoding) {
  Ref<TEncodedTextStream> text = New<TEncodedTextStream>();
  text->SetStream(stream);
  text->encoding = encoding;
  return text;
}

Ref<TStream> TEncodedTextStreamFactory::CreateStream(const Ref<Object>&, const String& proto,
                                                     const String& path, bool readable,
                                                     bool writeable) {
  int32_t encoding = EncodingOf(proto);
  if (encoding == 0) return nullptr;
  Ref<TStream> inner = StreamOpen(path, readable, writeable);
  if (!inner) return nullptr;
  return TEncodedTextStream::Create(inner, encoding);
}

// ---- whole texts

String TextLoad(const Ref<Object>& url) {
  Ref<TStream> stream = StreamOpenRead(url);
  if (!stream) return String();
  std::vector<uint8_t> bytes;
  int32_t encoding = 0;
  // Up to three bytes, each only when the stream still holds one; the third only after EF BB.
  auto next = [&] {
    if (stream->Eof()) return false;
    bytes.push_back(static_cast<uint8_t>(stream->ReadByte()));
    return true;
  };
  if (next() && (bytes[0] == 0xFE || bytes[0] == 0xFF || bytes[0] == 0xEF) && next()) {
    if (bytes[0] == 0xFE && bytes[1] == 0xFF) encoding = ENCODING_UTF16BE;
    if (bytes[0] == 0xFF && bytes[1] == 0xFE) encoding = ENCODING_UTF16LE;
    if (bytes[0] == 0xEF && bytes[1] == 0xBB && next() && bytes[2] == 0xBF) {
      encoding = ENCODING_UTF8;
    }
  }
  if (encoding != 0) {
    Ref<TEncodedTextStream> text = TEncodedTextStream::Create(stream, encoding);
    String result = text->ReadAll();
    text->Close();  // closes stream too
    return result;
  }
  size_t length = bytes.size();
  bytes.resize(1024);
  while (!stream->Eof()) {
    if (length == bytes.size()) bytes.resize(length * 2);
    int32_t room = static_cast<int32_t>(std::min<size_t>(bytes.size() - length, INT32_MAX));
    int32_t n = stream->Read(bytes.data() + length, room);
    if (n <= 0) break;  // nothing more although not at the end (a pipe): take it as the end
    length += static_cast<size_t>(n);
  }
  stream->Close();
  return String::FromBytes(std::string_view(reinterpret_cast<const char*>(bytes.data()), length));
}

void TextSave(const String& text, const Ref<Object>& url) {
  bool latin1 = true;
  for (char16_t c : text.Units()) latin1 = latin1 && c <= 255;
  if (latin1) {
    UrlSaveString(text, url);
    return;
  }
  Ref<TStream> stream = StreamOpenWrite(url);
  if (!stream) return;
  stream->WriteByte(0xFF);
  stream->WriteByte(0xFE);
  Ref<TEncodedTextStream> encoded = TEncodedTextStream::Create(stream, ENCODING_UTF16LE);
  encoded->WriteString(text);
  encoded->Close();
}

}  // namespace tarn
