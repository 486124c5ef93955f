// A 10 MB UTF-8 file (with a byte-order mark, lines of about 60 characters, some of them
// outside ASCII) read three ways, in MB/s of file bytes: line by line through a "utf8::" text
// stream, whole through TextLoad, and, as the peer, line by line through the byte-stream
// ReadLine of the plain file stream. Prints the ratios to the peer. Each case runs three times
// and its best run counts.
//
//   text_stream_benchmark [megabytes]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "stream/streams.h"

namespace tarn {
namespace {

using Clock = std::chrono::steady_clock;

std::string MakeFile(size_t bytes) {
  std::string path = (std::filesystem::temp_directory_path() /
                      ("tarn_text_benchmark_" + std::to_string(std::rand()) + ".txt"))
                         .string();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    std::perror(path.c_str());
    std::exit(1);
  }
  std::string line =
      "Fr\xC3\xBCh \xE2\x82\xAC 42, caf\xC3\xA9 au lait, the quick brown fox ...\r\n";
  std::fputs("\xEF\xBB\xBF", file);
  for (size_t written = 3; written < bytes; written += line.size()) std::fputs(line.c_str(), file);
  std::fclose(file);
  return path;
}

// The best of three runs of read(), which returns a check value, in MB/s of fileBytes.
template <class Read>
double Measure(const char* name, double fileBytes, Read read) {
  double best = 0;
  long long check = 0;
  for (int run = 0; run < 3; ++run) {
    Clock::time_point start = Clock::now();
    check = read();
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    best = std::max(best, fileBytes / 1e6 / seconds);
  }
  std::printf("%-46s %8.1f MB/s   (%lld units)\n", name, best, check);
  return best;
}

long long ReadLines(const Ref<TStream>& stream) {
  long long units = 0;
  while (!stream->Eof()) units += stream->ReadLine().Length();
  stream->Close();
  return units;
}

}  // namespace
}  // namespace tarn

int main(int argc, char** argv) {
  using namespace tarn;
  InitStreams();
  double megabytes = argc > 1 ? std::atof(argv[1]) : 10;
  std::string path = MakeFile(static_cast<size_t>(megabytes * 1e6));
  double bytes = static_cast<double>(std::filesystem::file_size(path));
  String url(path.c_str());
  std::printf("%.1f MB UTF-8 file, best of 3 runs\n", bytes / 1e6);

  double peer = Measure("byte stream ReadLine (peer: TCStream)", bytes,
                        [&] { return ReadLines(StreamOpenRead(url)); });
  double lines = Measure("text stream ReadLine (utf8::)", bytes,
                         [&] { return ReadLines(StreamOpenRead(String("utf8::") + url)); });
  double load = Measure("TextLoad (UTF-8 mark, decoded whole)", bytes,
                        [&] { return static_cast<long long>(TextLoad(url).Length()); });
  std::printf("ratio text ReadLine / byte ReadLine: %.2f\n", lines / peer);
  std::printf("ratio TextLoad / byte ReadLine:      %.2f\n", load / peer);
  std::filesystem::remove(path);
  return 0;
}
