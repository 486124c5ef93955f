// The process's standard input and output as streams.
//
// TConsoleStream reads standard input and writes standard output through the C runtime's
// buffered I/O. It cannot seek or tell its position (Pos -1, Size 0), so Eof is never true: a
// read at the end of standard input raises TStreamReadException. FileOpen of a console stream
// reads all of standard input into a bank. consoleStream is a UTF-8 text stream over one
// console stream, made when the stream module starts. Main thread only.
#pragma once

#include "stream/stream.h"
#include "stream/text_stream.h"

namespace tarn {

class TConsoleStream : public TStream {
 public:
  int32_t Read(void* buf, int32_t count) override;         // from standard input
  int32_t Write(const void* buf, int32_t count) override;  // to standard output
  int32_t Flush() override;                                // flushes standard output
};

// The UTF-8 console; the null object until the stream module has started.
extern Ref<TEncodedTextStream> consoleStream;

// Creates consoleStream once (the stream module's start-up calls it).
void InitConsoleStream();

// text and CR LF on standard output, flushed.
void ConsoleWriteLine(const String& text);
// Writes prompt, flushes, and returns the next line of standard input (UTF-8, CR dropped).
String ConsoleReadLine(const String& prompt);

}  // namespace tarn
