// Test helpers for stream code: a scratch folder on disk and streams held in memory.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "stream/stream.h"

namespace tarn::testing {

// A fresh folder under the system's temporary folder, removed with everything in it at the
// end of the test.
class ScratchDir {
 public:
  ScratchDir() {
    static int counter = 0;
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("tarn_streams_" + std::to_string(stamp) + "_" + std::to_string(++counter));
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  // The full path of name inside the folder, as the platform writes it.
  String Path(const std::string& name = "") const {
    return String((name.empty() ? path_.string() : (path_ / name).string()).c_str());
  }

 private:
  std::filesystem::path path_;
};

inline void WriteFile(const String& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.ToBytes().c_str(), "wb");
  if (!file) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// The whole file, or "<missing>" when it cannot be opened.
inline std::string ReadFile(const String& path) {
  std::FILE* file = std::fopen(path.ToBytes().c_str(), "rb");
  if (!file) return "<missing>";
  std::string bytes;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
  std::fclose(file);
  return bytes;
}

// A seekable stream over bytes in memory. Write fails (returns 0) once capacity bytes are
// held, and each Read or Write moves at most chunk bytes, so short transfers can be staged.
class TMemoryStream : public TStream {
 public:
  explicit TMemoryStream(std::string bytes = "", size_t capacity = SIZE_MAX,
                         int32_t chunk = 1 << 30)
      : bytes(std::move(bytes)), capacity(capacity), chunk(chunk) {}
  int32_t Pos() override { return pos; }
  int32_t Size() override { return static_cast<int32_t>(bytes.size()); }
  int32_t Seek(int32_t to) override { return pos = to; }
  int32_t Read(void* buf, int32_t count) override {
    int32_t n = std::min({count, chunk, Size() - pos});
    if (n <= 0) return 0;
    bytes.copy(static_cast<char*>(buf), static_cast<size_t>(n), static_cast<size_t>(pos));
    pos += n;
    return n;
  }
  int32_t Write(const void* buf, int32_t count) override {
    size_t room = capacity > static_cast<size_t>(pos) ? capacity - pos : 0;
    int32_t n = static_cast<int32_t>(
        std::min<size_t>({static_cast<size_t>(count), static_cast<size_t>(chunk), room}));
    if (n <= 0) return 0;
    if (bytes.size() < static_cast<size_t>(pos + n)) bytes.resize(static_cast<size_t>(pos + n));
    bytes.replace(static_cast<size_t>(pos), static_cast<size_t>(n), static_cast<const char*>(buf),
                  static_cast<size_t>(n));
    pos += n;
    return n;
  }
  int32_t Close() override {
    ++closes;
    return 0;
  }

  std::string bytes;
  size_t capacity;
  int32_t chunk;
  int32_t pos = 0;
  int closes = 0;
};

// A stream that never reaches its end and never delivers a byte.
class TStallingStream : public TStream {
 public:
  bool Eof() override { return false; }
  int32_t Read(void*, int32_t) override { return 0; }
};

}  // namespace tarn::testing
