// Builders of small RIFF WAVE files in memory, for the loader's tests, fuzz seeds and benchmark.
#pragma once

#include <cstdint>
#include <string>

namespace tarn::testing {

inline std::string Le16(uint32_t value) {
  return {static_cast<char>(value), static_cast<char>(value >> 8)};
}
inline std::string Le32(uint32_t value) { return Le16(value) + Le16(value >> 16); }

// A chunk whose size field says size, whatever the body holds.
inline std::string ChunkSized(const std::string& tag, uint32_t size, const std::string& body) {
  return tag + Le32(size) + body;
}
inline std::string Chunk(const std::string& tag, const std::string& body) {
  return ChunkSized(tag, static_cast<uint32_t>(body.size()), body);
}

// A "fmt " chunk; extra follows the sixteen standard bytes and counts in the chunk size.
inline std::string FmtChunk(int channels, int rate, int bits, int formatTag = 1,
                            const std::string& extra = "") {
  int blockAlign = channels * bits / 8;
  return Chunk("fmt ", Le16(formatTag) + Le16(channels) + Le32(rate) + Le32(rate * blockAlign) +
                           Le16(blockAlign) + Le16(bits) + extra);
}

inline std::string Riff(const std::string& chunks) {
  return "RIFF" + Le32(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

// The common case: one fmt chunk followed directly by the data chunk.
inline std::string Wav(int channels, int rate, int bits, const std::string& data) {
  return Riff(FmtChunk(channels, rate, bits) + Chunk("data", data));
}

}  // namespace tarn::testing
