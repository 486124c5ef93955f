#include "stream/console_stream.h"

#include <cstdio>

namespace tarn {

Ref<TEncodedTextStream> consoleStream;

int32_t TConsoleStream::Read(void* buf, int32_t count) {
  if (count <= 0) return 0;
  return static_cast<int32_t>(std::fread(buf, 1, static_cast<size_t>(count), stdin));
}

int32_t TConsoleStream::Write(const void* buf, int32_t count) {
  if (count <= 0) return 0;
  return static_cast<int32_t>(std::fwrite(buf, 1, static_cast<size_t>(count), stdout));
}

int32_t TConsoleStream::Flush() {
  std::fflush(stdout);
  return 0;
}

void InitConsoleStream() {
  if (!consoleStream) {
    consoleStream = TEncodedTextStream::Create(New<TConsoleStream>(), ENCODING_UTF8);
  }
}

void ConsoleWriteLine(const String& text) {
  consoleStream->WriteLine(text);
  consoleStream->Flush();
}

String ConsoleReadLine(const String& prompt) {
  consoleStream->WriteString(prompt);
  consoleStream->Flush();
  return consoleStream->ReadLine();
}

}  // namespace tarn
