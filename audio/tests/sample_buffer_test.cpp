#include "audio/sample_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runtime/exceptions.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

// The frames of from (in fromFormat) converted to toFormat.
std::string Convert(const std::string& from, int32_t fromFormat, int32_t toFormat) {
  int32_t frames = static_cast<int32_t>(from.size()) / FrameBytes[fromFormat];
  std::string to(static_cast<size_t>(frames * FrameBytes[toFormat]), '\0');
  ConvertFrames(from.data(), fromFormat, to.data(), toFormat, frames);
  return to;
}

// Pivot frames: left high, left low, right high, right low.
std::string Pivot(int16_t left, int16_t right) {
  return Bytes({(left >> 8) & 0xff, left & 0xff, (right >> 8) & 0xff, right & 0xff});
}

TEST(SampleConversion, FollowsThePivotRules) {
  struct Case {
    const char* name;
    int32_t fromFormat;
    std::string from;
    int32_t toFormat;
    std::string to;
  };
  const Case cases[] = {
      // into the pivot
      {"mono u8 0", PCM_MONO_U8, Bytes({0}), PCM_STEREO_S16BE, Pivot(-32768, -32768)},
      {"mono u8 128", PCM_MONO_U8, Bytes({128}), PCM_STEREO_S16BE, Pivot(128, 128)},
      {"mono u8 255", PCM_MONO_U8, Bytes({255}), PCM_STEREO_S16BE, Pivot(32767, 32767)},
      {"mono s16le", PCM_MONO_S16LE, Bytes({0x34, 0x12}), PCM_STEREO_S16BE, Pivot(0x1234, 0x1234)},
      {"mono s16be", PCM_MONO_S16BE, Bytes({0x12, 0x34}), PCM_STEREO_S16BE, Pivot(0x1234, 0x1234)},
      {"stereo u8", PCM_STEREO_U8, Bytes({0, 255}), PCM_STEREO_S16BE, Pivot(-32768, 32767)},
      {"stereo s16le", PCM_STEREO_S16LE, Bytes({0x34, 0x12, 0xcc, 0xed}), PCM_STEREO_S16BE,
       Pivot(0x1234, -0x1234)},
      // out of the pivot: the stereo average truncates toward zero
      {"L -1 R 0", PCM_STEREO_S16BE, Pivot(-1, 0), PCM_MONO_S16LE, Bytes({0, 0})},
      {"L -3 R 0", PCM_STEREO_S16BE, Pivot(-3, 0), PCM_MONO_S16LE, Bytes({0xff, 0xff})},
      {"L 3 R 0", PCM_STEREO_S16BE, Pivot(3, 0), PCM_MONO_S16BE, Bytes({0, 1})},
      {"extremes", PCM_STEREO_S16BE, Pivot(-32768, -32767), PCM_MONO_S16BE, Bytes({0x80, 0x01})},
      {"to mono u8", PCM_STEREO_S16BE, Pivot(32767, -32768), PCM_MONO_U8, Bytes({127})},
      {"to stereo u8", PCM_STEREO_S16BE, Pivot(-32768, 32767), PCM_STEREO_U8, Bytes({0, 255})},
      {"to stereo s16le", PCM_STEREO_S16BE, Pivot(0x1234, -2), PCM_STEREO_S16LE,
       Bytes({0x34, 0x12, 0xfe, 0xff})},
      // two steps through the pivot
      {"stereo s16le averaged to mono u8", PCM_STEREO_S16LE, Bytes({0x00, 0x80, 0xff, 0x7f}),
       PCM_MONO_U8, Bytes({127})},
      {"stereo s16le averaged to mono s16le", PCM_STEREO_S16LE, Bytes({0xe8, 0x03, 0xd0, 0x07}),
       PCM_MONO_S16LE, Bytes({0xdc, 0x05})},
      {"mono s16be to stereo s16le", PCM_MONO_S16BE, Bytes({0x12, 0x34}), PCM_STEREO_S16LE,
       Bytes({0x34, 0x12, 0x34, 0x12})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Convert(c.from, c.fromFormat, c.toFormat), c.to);
  }
}

TEST(SampleConversion, EightBitRoundTripIsExactForEveryValue) {
  std::string all;
  for (int u = 0; u < 256; ++u) all.push_back(static_cast<char>(u));
  for (int32_t wide : {PCM_STEREO_S16BE, PCM_MONO_S16LE, PCM_STEREO_S16LE}) {
    SCOPED_TRACE(wide);
    EXPECT_EQ(Convert(Convert(all, PCM_MONO_U8, wide), wide, PCM_MONO_U8), all);
  }
  EXPECT_EQ(Convert(Convert(all, PCM_STEREO_U8, PCM_STEREO_S16LE), PCM_STEREO_S16LE, PCM_STEREO_U8),
            all);
}

TEST(SampleConversion, SameFormatCopiesUnchanged) {
  const std::string frames = Bytes({1, 2, 3, 4, 5, 6, 7, 8});
  for (int32_t format = PCM_MONO_U8; format <= PCM_STEREO_S16BE; ++format) {
    SCOPED_TRACE(format);
    EXPECT_EQ(Convert(frames, format, format), frames);
  }
  std::string untouched = "x";
  ConvertFrames("a", PCM_NONE, untouched.data(), PCM_NONE, 1);
  EXPECT_EQ(untouched, "x");
}

TEST(SampleConversion, UnknownCodesRaiseBeforeWriting) {
  const int32_t pairs[][2] = {{0, 2}, {2, 0}, {7, 2},  {2, 7},  {0, 6},
                              {6, 7}, {7, 7}, {-1, 6}, {6, -1}, {0, 7}};
  for (const auto& pair : pairs) {
    SCOPED_TRACE(std::to_string(pair[0]) + " to " + std::to_string(pair[1]));
    std::string from(8, '\x11');
    std::string to(8, '\x22');
    EXPECT_RAISES_TEXT(ConvertFrames(from.data(), pair[0], to.data(), pair[1], 2),
                       "Unimplemented sample format conversion");
    EXPECT_EQ(to, std::string(8, '\x22'));
  }
  char frame[4] = {};
  EXPECT_RAISES_TEXT(CopyFrames(frame, frame, 7, 1), "Unimplemented sample format conversion");
}

TEST(SampleBuffer, MakeOwnsAlignedMemoryAndRefusesBadSizes) {
  Ref<TSampleBuffer> buffer = MakeSampleBuffer(3, 44100, PCM_STEREO_S16LE);
  EXPECT_EQ(buffer->capacity, 12);
  EXPECT_EQ(buffer->frameCount, 3);
  EXPECT_EQ(buffer->rate, 44100);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(buffer->pcm) % 16, 0u);
  EXPECT_EQ(MakeSampleBuffer(0, 8000, PCM_MONO_U8)->capacity, 0);  // freed all the same

  EXPECT_RAISES_TEXT(MakeSampleBuffer(0x20000000, 44100, PCM_STEREO_S16LE),
                     "Sample buffer size out of range");
  EXPECT_RAISES_TEXT(MakeSampleBuffer(-1, 44100, PCM_MONO_U8), "Sample buffer size out of range");
  for (int32_t bad : {-1, 7, 1000}) {
    EXPECT_RAISES_TEXT(MakeSampleBuffer(1, 44100, bad), "Unknown sample format");
  }
  EXPECT_EQ(MakeSampleBuffer(0x7fffffff, 44100, PCM_NONE)->capacity, 0);
}

TEST(SampleBuffer, WrapBorrowsAndDuplicateCopies) {
  uint8_t frames[4] = {1, 2, 3, 4};
  Ref<TSampleBuffer> wrapped = WrapSampleBuffer(frames, 2, 8000, PCM_MONO_S16LE);
  EXPECT_EQ(wrapped->pcm, frames);
  EXPECT_EQ(wrapped->capacity, -1);

  Ref<TSampleBuffer> copy = wrapped->Duplicate();
  EXPECT_NE(copy->pcm, frames);
  EXPECT_EQ(copy->capacity, 4);
  EXPECT_EQ(copy->rate, 8000);
  EXPECT_EQ(copy->format, PCM_MONO_S16LE);
  EXPECT_EQ(std::memcmp(copy->pcm, frames, 4), 0);
  wrapped = nullptr;  // the stack array is not freed
  EXPECT_EQ(frames[3], 4);
}

TEST(SampleBuffer, ConvertToMakesANewBufferAndLeavesTheSource) {
  uint8_t frames[4] = {0x34, 0x12, 0xcc, 0xed};
  Ref<TSampleBuffer> source = WrapSampleBuffer(frames, 2, 22050, PCM_MONO_S16LE);
  Ref<TSampleBuffer> converted = source->ConvertTo(PCM_MONO_S16BE);
  EXPECT_EQ(converted->format, PCM_MONO_S16BE);
  EXPECT_EQ(converted->frameCount, 2);
  EXPECT_EQ(converted->rate, 22050);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(converted->pcm), 4),
            Bytes({0x12, 0x34, 0xed, 0xcc}));
  EXPECT_EQ(frames[0], 0x34);
  EXPECT_RAISES_TEXT(source->ConvertTo(7), "Unimplemented sample format conversion");
  EXPECT_RAISES_TEXT(source->ConvertTo(PCM_NONE), "Unimplemented sample format conversion");
}

}  // namespace
}  // namespace tarn
