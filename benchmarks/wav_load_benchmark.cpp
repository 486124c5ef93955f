// LoadSampleBuffer of a 10-second 44.1 kHz 16-bit stereo WAV file, in MB/s, beside a plain
// fread of the same file into memory in the same run (the peer), and their ratio. Files are
// read warm from the page cache, so both figures are mostly copying and per-call overhead.
//
//   wav_load_benchmark [seconds per case]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "audio/tests/wav_fixtures.h"

namespace tarn {
namespace {

using Clock = std::chrono::steady_clock;

// Runs load() until seconds have passed and returns MB/s of fileBytes per call.
template <class Load>
double Measure(const char* name, double seconds, size_t fileBytes, Load load) {
  long long calls = 0;
  Clock::time_point start = Clock::now();
  Clock::time_point now;
  do {
    load();
    ++calls;
    now = Clock::now();
  } while (std::chrono::duration<double>(now - start).count() < seconds);
  double elapsed = std::chrono::duration<double>(now - start).count();
  double mbPerSecond = fileBytes * calls / elapsed / 1e6;
  std::printf("%-40s %9.1f MB/s  %8.3f ms/file  (%lld files)\n", name, mbPerSecond,
              elapsed * 1e3 / calls, calls);
  return mbPerSecond;
}

std::vector<char> PlainRead(const std::string& path) {
  std::vector<char> bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return bytes;
  std::fseek(file, 0, SEEK_END);
  bytes.resize(static_cast<size_t>(std::ftell(file)));
  std::fseek(file, 0, SEEK_SET);
  if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) bytes.clear();
  std::fclose(file);
  return bytes;
}

int Run(double seconds) {
  InitAudio();
  constexpr int kRate = 44100;
  std::string data(static_cast<size_t>(kRate) * 10 * 4, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7);
  std::string wav = testing::Wav(2, kRate, 16, data);
  std::string path =
      (std::filesystem::temp_directory_path() / "tarn_wav_load_benchmark.wav").string();
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(wav.data(), 1, wav.size(), file);
    std::fclose(file);
  }
  Ref<TSampleBuffer> check = LoadSampleBuffer(String(path.c_str()));
  if (!check || check->frameCount != kRate * 10) {
    std::fprintf(stderr, "the benchmark file did not load\n");
    return 1;
  }
  std::printf("file: %zu bytes, 10 s of 44.1 kHz 16-bit stereo\n", wav.size());
  double loader = Measure("LoadSampleBuffer", seconds, wav.size(),
                          [&] { LoadSampleBuffer(String(path.c_str())); });
  double peer =
      Measure("peer: fread of the whole file", seconds, wav.size(), [&] { PlainRead(path); });
  std::printf("ratio LoadSampleBuffer / fread: %.2f\n", loader / peer);
  std::filesystem::remove(path);
  return 0;
}

}  // namespace
}  // namespace tarn

int main(int argc, char** argv) { return tarn::Run(argc > 1 ? std::atof(argv[1]) : 2.0); }
