// TCStream: a file stream over the C runtime's buffered standard I/O.
//
// OpenPath opens a path ("r+b", "wb" or "rb" by the flags, backslashes turned into "/") and
// gives the null object when the file cannot be opened, is a folder or is longer than
// 2 GiB.
// Position and size are tracked in the object as int32. Switching between reading and
// writing is handled here: the stream repositions between the two as standard I/O requires. A
// stream that OpenPath opened closes its file when the last reference goes; one made with
// CreateWithCStream leaves the FILE to its owner unless Close is called. Main thread only.
#pragma once

#include <cstdint>
#include <cstdio>

#include "stream/stream.h"

namespace tarn {

class TCStream : public TStream {
 public:
  enum Mode : int32_t { kRead = 1, kWrite = 2, kReadWrite = 3 };

  ~TCStream() override;

  int32_t Pos() override { return pos; }
  int32_t Size() override { return size; }
  int32_t Seek(int32_t offset) override;                   // a failed seek keeps the old position
  int32_t Read(void* buf, int32_t count) override;         // 0 once closed
  int32_t Write(const void* buf, int32_t count) override;  // 0 once closed
  int32_t Flush() override;  // -1 when buffered bytes could not be written
  // Flushes and asks the system to put the file's bytes on the disk; -1 when it cannot.
  int32_t Sync();
  int32_t Close() override;  // -1 when the last bytes could not be written; a second does nothing

  static Ref<TCStream> OpenPath(const String& path, bool readable, bool writeable);
  static Ref<TCStream> CreateWithCStream(std::FILE* file, int32_t mode);

  int32_t pos = 0;
  int32_t size = 0;
  std::FILE* cstream = nullptr;
  int32_t mode = 0;

 private:
  enum LastOp { kNone, kReading, kWriting };
  void Switch(LastOp next);
  bool owned_ = false;  // opened by OpenPath: closed on release
  LastOp last_ = kNone;
};

}  // namespace tarn
