// FileOpen over a real pipe: a child process's output, which cannot seek or tell its position.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "stream/streams.h"

namespace tarn {
namespace {

// Standard output of a shell command, read through the C runtime. Pos is -1.
class TPipeStream : public TStream {
 public:
  explicit TPipeStream(const char* command) : pipe(popen(command, "r")) {}
  ~TPipeStream() override {
    if (pipe) pclose(pipe);
  }
  bool Eof() override { return !pipe || std::feof(pipe); }
  int32_t Read(void* buf, int32_t count) override {
    return static_cast<int32_t>(std::fread(buf, 1, static_cast<size_t>(count), pipe));
  }
  std::FILE* pipe;
};

TEST(FileOpenPipe, AChildProcessOutputReadsCompletelyAndSeeks) {
  InitStreams();
  Ref<TPipeStream> pipe = New<TPipeStream>("seq 1 20000");
  ASSERT_TRUE(pipe->pipe);
  Ref<TStream> stream = FileOpenRead(pipe);
  ASSERT_TRUE(stream);
  std::string expected;
  for (int i = 1; i <= 20000; ++i) expected += std::to_string(i) + "\n";
  EXPECT_EQ(stream->Size(), static_cast<int32_t>(expected.size()));
  EXPECT_EQ(stream->Seek(stream->Size() - 6), stream->Size() - 6);
  EXPECT_EQ(stream->ReadLine().ToBytes(), "20000");
  stream->Seek(0);
  EXPECT_EQ(stream->ReadLine().ToBytes(), "1");
}

}  // namespace
}  // namespace tarn
