// Output helpers of the build-time generators in this folder: little-endian fields and a file
// written beside its final name, then renamed over it, so a failed write (full disk, read-only
// folder) leaves no half file behind for the build to pick up.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

inline void PutLE(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline bool WriteReplacing(const std::string& path, const std::string& bytes) {
  std::string temporary = path + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  written = (std::fclose(file) == 0) && written;
  if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}

// The body of a generator's main: writes what make() returns to the one argument.
template <class Make>
int WriteOutput(int argc, char** argv, const char* usage, Make make) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s\n", usage);
    return 2;
  }
  if (!WriteReplacing(argv[1], make())) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
