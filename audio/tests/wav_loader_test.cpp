#include "audio/wav_loader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <optional>

#include "audio/tests/wav_fixtures.h"
#include "stream/streams.h"
#include "stream/tests/test_streams.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

using testing::Chunk;
using testing::ChunkSized;
using testing::FmtChunk;
using testing::Le16;
using testing::Riff;
using testing::TMemoryStream;
using testing::Wav;

// Serves "fixture::NAME" from memory and keeps the streams it handed out, so tests can see
// whether the loader closed them.
class TFixtureFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>&, const String& proto, const String& path, bool,
                            bool) override {
    if (!(proto == "fixture")) return nullptr;
    last = New<TMemoryStream>(files[path.ToBytes()]);
    return last;
  }
  std::map<std::string, std::string> files;
  Ref<TMemoryStream> last;
};

// The newest loader: reads a few bytes (so the WAV loader must be seeked back), counts its
// calls, and raises for two marker contents.
class TProbeLoader : public TSampleBufferLoader {
 public:
  Ref<TSampleBuffer> TryLoad(const Ref<TStream>& stream) override {
    ++calls;
    String head = stream->ReadString(4);
    if (head == "BOOM") Raise(String("probe failure"));
    if (head == "SREX") Raise(New<TStreamReadException>());
    return nullptr;
  }
  int calls = 0;
};

struct Registered {
  Ref<TFixtureFactory> files;
  Ref<TProbeLoader> probe;
};

Registered& Fixtures() {
  static Registered* registered = [] {
    InitWavLoader();
    return new Registered{New<TFixtureFactory>(), New<TProbeLoader>()};
  }();
  return *registered;
}

Ref<TSampleBuffer> LoadBytes(const std::string& bytes) {
  Fixtures().files->files["case"] = bytes;
  return LoadSampleBuffer("fixture::case");
}

std::string Frames(const Ref<TSampleBuffer>& buffer) {
  return std::string(reinterpret_cast<const char*>(buffer->pcm),
                     static_cast<size_t>(buffer->frameCount) * FrameBytes[buffer->format]);
}

const std::string kStereoData = "\x01\x02\x03\x04\x05\x06\x07\x08";  // two 16-bit stereo frames

struct LoadCase {
  const char* name;
  std::string bytes;
  std::optional<int32_t> format;  // nullopt: refused
  int32_t frames = 0;
  std::string frameBytes = "";
};

TEST(WavLoader, AcceptsPcmLayoutsAndRefusesTheRest) {
  const std::string junk = Chunk("LIST", "abcdef");
  const LoadCase cases[] = {
      {"16-bit stereo, 16-byte fmt", Wav(2, 22050, 16, kStereoData), PCM_STEREO_S16LE, 2,
       kStereoData},
      {"18-byte fmt", Riff(FmtChunk(2, 22050, 16, 1, Le16(0)) + Chunk("data", kStereoData)),
       PCM_STEREO_S16LE, 2, kStereoData},
      {"chunk between fmt and data",
       Riff(FmtChunk(2, 22050, 16) + junk + Chunk("data", kStereoData)), PCM_STEREO_S16LE, 2,
       kStereoData},
      {"odd-sized chunk, no pad byte",
       Riff(FmtChunk(1, 8000, 8) + Chunk("odd ", "xyz") + Chunk("data", "\x80\x81")), PCM_MONO_U8,
       2, "\x80\x81"},
      {"8-bit stereo", Wav(2, 11025, 8, "\x10\x20\x30\x40"), PCM_STEREO_U8, 2, "\x10\x20\x30\x40"},
      {"16-bit mono, 5 data bytes", Wav(1, 8000, 16, "\x01\x02\x03\x04\x05"), PCM_MONO_S16LE, 2,
       "\x01\x02\x03\x04"},
      {"empty data chunk", Wav(1, 8000, 16, ""), PCM_MONO_S16LE, 0, ""},
      {"chunk before fmt", Riff(junk + FmtChunk(2, 22050, 16) + Chunk("data", kStereoData)),
       std::nullopt},
      {"float format", Riff(FmtChunk(2, 22050, 32, 3) + Chunk("data", kStereoData)), std::nullopt},
      {"24-bit", Wav(2, 22050, 24, "\x01\x02\x03\x04\x05\x06"), std::nullopt},
      {"32-bit PCM", Wav(2, 22050, 32, kStereoData), std::nullopt},
      {"three channels", Wav(3, 22050, 16, "\x01\x02\x03\x04\x05\x06"), std::nullopt},
      {"no data chunk", Riff(FmtChunk(2, 22050, 16) + junk), std::nullopt},
      {"negative data size",
       Riff(FmtChunk(2, 22050, 16) + ChunkSized("data", 0x80000000u, kStereoData)), std::nullopt},
      {"not RIFF", "RIFX" + Wav(2, 22050, 16, kStereoData).substr(4), std::nullopt},
      {"not WAVE", "RIFF\x04\x00\x00\x00WAVX", std::nullopt},
      {"cut inside the header", Wav(2, 22050, 16, kStereoData).substr(0, 30), std::nullopt},
      {"empty file", "", std::nullopt},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    Ref<TSampleBuffer> buffer = LoadBytes(c.bytes);
    ASSERT_EQ(bool(buffer), c.format.has_value());
    EXPECT_EQ(Fixtures().files->last->closes, 1);
    if (!buffer) continue;
    EXPECT_EQ(buffer->format, *c.format);
    EXPECT_EQ(buffer->frameCount, c.frames);
    EXPECT_EQ(buffer->capacity, c.frames * FrameBytes[*c.format]);
    EXPECT_EQ(Frames(buffer), c.frameBytes);
  }
}

TEST(WavLoader, TakesTheRateFromTheFile) {
  EXPECT_EQ(LoadBytes(Wav(2, 22050, 16, kStereoData))->rate, 22050);
  EXPECT_EQ(LoadBytes(Wav(1, 44100, 8, "\x80"))->rate, 44100);
}

// The WAV loader that InitWavLoader registered (a new one would join the registry).
Ref<TWavSampleLoader> WavLoader() {
  Fixtures();
  for (Ref<TSampleBufferLoader> loader = SampleBufferLoaders(); loader; loader = loader->next) {
    if (Ref<TWavSampleLoader> wav = Cast<TWavSampleLoader>(loader)) return wav;
  }
  return nullptr;
}

TEST(WavLoader, LeavesThePartialFrameUnread) {
  auto stream = New<TMemoryStream>(Wav(1, 8000, 16, "\x01\x02\x03\x04\x05"));
  Ref<TSampleBuffer> buffer = WavLoader()->TryLoad(stream);
  ASSERT_TRUE(buffer);
  EXPECT_EQ(buffer->frameCount, 2);
  EXPECT_EQ(stream->pos, stream->Size() - 1);
}

// A data size beyond the end gives the frames the stream holds, not a buffer of the claimed
// size.
TEST(WavLoader, TruncatedDataChunkHoldsOnlyWhatTheStreamHas) {
  for (uint32_t claimed : {400u, 0x7fffffffu}) {
    Ref<TSampleBuffer> buffer =
        LoadBytes(Riff(FmtChunk(2, 22050, 16) + ChunkSized("data", claimed, kStereoData + "\x09")));
    ASSERT_TRUE(buffer);
    EXPECT_EQ(buffer->frameCount, 2);
    EXPECT_EQ(buffer->capacity, 8);
    EXPECT_EQ(Frames(buffer), kStereoData);
  }
}

// A stream whose size promises more than it delivers: the frames it never delivered are
// silence, and one that stops delivering before its end counts as a refusal.
class TLyingStream : public TMemoryStream {
 public:
  TLyingStream(std::string bytes, bool endsEarly, int32_t extraSize = 100)
      : TMemoryStream(std::move(bytes)), endsEarly(endsEarly), extraSize(extraSize) {}
  int32_t Size() override { return static_cast<int32_t>(bytes.size()) + extraSize; }
  bool Eof() override { return endsEarly && pos >= static_cast<int32_t>(bytes.size()); }
  int32_t Read(void* buf, int32_t count) override {
    int32_t n = std::min<int32_t>(count, static_cast<int32_t>(bytes.size()) - pos);
    if (n <= 0) return 0;
    std::memcpy(buf, bytes.data() + pos, static_cast<size_t>(n));
    pos += n;
    return n;
  }
  bool endsEarly;
  int32_t extraSize;
};

TEST(WavLoader, FramesTheStreamNeverDeliveredAreSilence) {
  std::string file = Riff(FmtChunk(2, 22050, 16) + ChunkSized("data", 400, kStereoData));
  Fixtures();
  Ref<TSampleBuffer> buffer = LoadSampleBuffer(Ref<TStream>(New<TLyingStream>(file, true)));
  ASSERT_TRUE(buffer);
  ASSERT_EQ(buffer->frameCount, 27);  // the 108 bytes the stream claims to hold
  EXPECT_EQ(Frames(buffer), kStereoData + std::string(100, '\0'));

  EXPECT_FALSE(LoadSampleBuffer(Ref<TStream>(New<TLyingStream>(file, false))));
}

// A stream that reports no size (0) is read for what it delivers, up to the claimed size.
TEST(WavLoader, StreamWithoutASizeGivesTheFramesItDelivers) {
  Fixtures();
  for (uint32_t claimed : {8u, 400u, 0x7fffffffu}) {
    std::string file = Riff(FmtChunk(2, 22050, 16) + ChunkSized("data", claimed, kStereoData));
    auto stream = New<TLyingStream>(file + "tail", true, -static_cast<int32_t>(file.size() + 4));
    Ref<TSampleBuffer> buffer = LoadSampleBuffer(Ref<TStream>(stream));
    ASSERT_TRUE(buffer);
    EXPECT_EQ(Frames(buffer), claimed == 8 ? kStereoData : kStereoData + "tail");
  }
}

TEST(WavLoader, RefusesAnUnseekableStreamAndLeavesItOpen) {
  Fixtures();
  auto stream = New<TMemoryStream>(Wav(2, 22050, 16, kStereoData));
  class TUnseekable : public TStreamWrapper {
   public:
    int32_t Pos() override { return -1; }
  };
  auto unseekable = New<TUnseekable>();
  unseekable->SetStream(stream);
  EXPECT_RAISES_TEXT(LoadSampleBuffer(Ref<TStream>(unseekable)), "Stream is not seekable");
  EXPECT_EQ(stream->closes, 0);
}

TEST(WavLoader, RegistryTriesNewestFirstFromTheSamePosition) {
  int before = Fixtures().probe->calls;
  auto stream = New<TMemoryStream>("skip" + Wav(1, 8000, 8, "\x7f"));
  stream->Seek(4);
  Ref<TSampleBuffer> buffer = LoadSampleBuffer(Ref<TStream>(stream));
  ASSERT_TRUE(buffer);  // the probe read four bytes first; the WAV loader began at 4 again
  EXPECT_EQ(Frames(buffer), "\x7f");
  EXPECT_EQ(Fixtures().probe->calls, before + 1);
}

TEST(WavLoader, StreamExceptionsRefuseOtherExceptionsPassThroughWithTheStreamOpen) {
  EXPECT_FALSE(LoadBytes("SREX"));
  EXPECT_EQ(Fixtures().files->last->closes, 1);
  EXPECT_RAISES_TEXT(LoadBytes("BOOM"), "probe failure");
  EXPECT_EQ(Fixtures().files->last->closes, 0);
}

TEST(WavLoader, UnopenableSourceGivesTheNullObject) {
  Fixtures();
  EXPECT_FALSE(LoadSampleBuffer("nosuchprotocol::x"));
  EXPECT_FALSE(LoadSampleBuffer("/no/such/folder/alert.wav"));
}

TEST(WavLoader, ReadChunkTagIsEmptyWhenTheStreamEndsEarly) {
  EXPECT_EQ(ReadChunkTag(New<TMemoryStream>("dat")), String());
  EXPECT_EQ(ReadChunkTag(New<TMemoryStream>(std::string("d\0ta", 4))),
            String::FromBytes(std::string_view("d\0ta", 4)));
}

}  // namespace
}  // namespace tarn
