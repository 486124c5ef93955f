#include "stream/cstream.h"

#include <climits>
#include <string>

#include "stream/filesystem_platform.h"

namespace tarn {
namespace {

// A file whose length cannot be held in the stream's int32 size.
bool TooLong(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return false;  // unseekable: nothing to measure
  long end = std::ftell(file);
  std::fseek(file, 0, SEEK_SET);
  return end < 0 || end > INT32_MAX;
}

}  // namespace

TCStream::~TCStream() {
  // Only a file we opened is ours to close; a borrowed FILE stays with its owner.
  if (owned_ && cstream) std::fclose(cstream);
}

// Standard I/O requires a positioning call between reading and writing on one FILE.
void TCStream::Switch(LastOp next) {
  if (last_ != kNone && last_ != next) std::fseek(cstream, 0, SEEK_CUR);
  last_ = next;
}

int32_t TCStream::Seek(int32_t offset) {
  if (!cstream) return pos;
  if (std::fseek(cstream, offset, SEEK_SET) == 0) {
    pos = static_cast<int32_t>(std::ftell(cstream));
    last_ = kNone;
  }
  return pos;
}

int32_t TCStream::Read(void* buf, int32_t count) {
  if (!cstream || count <= 0) return 0;
  Switch(kReading);
  auto n = static_cast<int32_t>(std::fread(buf, 1, static_cast<size_t>(count), cstream));
  pos += n;
  return n;
}

int32_t TCStream::Write(const void* buf, int32_t count) {
  if (!cstream || count <= 0) return 0;
  Switch(kWriting);
  auto n = static_cast<int32_t>(std::fwrite(buf, 1, static_cast<size_t>(count), cstream));
  // Only bytes that were written move the position and size: a refused write after a seek
  // past the end must not make the file look longer than it is.
  if (n > 0) {
    pos += n;
    if (pos > size) size = pos;
  }
  return n;
}

int32_t TCStream::Flush() {
  if (cstream && std::fflush(cstream) != 0) return -1;
  return 0;
}

int32_t TCStream::Sync() {
  if (!cstream) return 0;
  if (Flush() != 0 || !fsplatform::SyncFile(cstream)) return -1;
  return 0;
}

int32_t TCStream::Close() {
  if (!cstream) return 0;
  int32_t flushed = Flush();
  int32_t closed = std::fclose(cstream) == 0 ? 0 : -1;
  pos = 0;
  size = 0;
  cstream = nullptr;
  last_ = kNone;
  return flushed != 0 ? flushed : closed;
}

Ref<TCStream> TCStream::OpenPath(const String& path, bool readable, bool writeable) {
  const char* openMode = "rb";
  int32_t streamMode = kRead;
  if (readable && writeable) {
    openMode = "r+b";
    streamMode = kReadWrite;
  } else if (writeable) {
    openMode = "wb";
    streamMode = kWrite;
  }
  std::string bytes = path.Replace("\\", "/").ToBytes();
  // An embedded NUL would silently open a different, shorter path.
  if (bytes.find('\0') != std::string::npos) return nullptr;
  std::FILE* file = std::fopen(bytes.c_str(), openMode);
  if (!file) return nullptr;
  if (fsplatform::IsFolder(file) || TooLong(file)) {
    std::fclose(file);
    return nullptr;
  }
  Ref<TCStream> stream = CreateWithCStream(file, streamMode);
  stream->owned_ = true;
  return stream;
}

Ref<TCStream> TCStream::CreateWithCStream(std::FILE* file, int32_t mode) {
  Ref<TCStream> stream = New<TCStream>();
  stream->cstream = file;
  stream->mode = mode;
  stream->pos = static_cast<int32_t>(std::ftell(file));
  std::fseek(file, 0, SEEK_END);
  stream->size = static_cast<int32_t>(std::ftell(file));
  std::fseek(file, stream->pos, SEEK_SET);
  return stream;
}

}  // namespace tarn
