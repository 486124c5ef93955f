#include "audio/wav_loader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "stream/streams.h"

namespace tarn {

namespace {

int32_t PcmFormatOf(int32_t bits, int32_t channels) {
  if (bits == 8 && channels == 1) return PCM_MONO_U8;
  if (bits == 8 && channels == 2) return PCM_STEREO_U8;
  if (bits == 16 && channels == 1) return PCM_MONO_S16LE;
  if (bits == 16 && channels == 2) return PCM_STEREO_S16LE;
  return PCM_NONE;
}

// Bytes the stream says it still holds, or -1 when it reports no size.
int64_t BytesLeft(TStream& stream) {
  int64_t left = int64_t{stream.Size()} - stream.Pos();
  return left >= 0 ? left : -1;
}

// The data chunk's body, size bytes claimed. The buffer is never larger than what the stream
// delivers (rounded down to whole frames), so a lying size cannot make it allocate much.
Ref<TSampleBuffer> ReadFrames(TStream& stream, int32_t size, int32_t rate, int32_t format) {
  int32_t frameBytes = FrameBytes[format];
  int64_t left = BytesLeft(stream);
  if (left >= 0) {
    int32_t frames = static_cast<int32_t>(std::min<int64_t>(size, left) / frameBytes);
    Ref<TSampleBuffer> buffer = MakeSampleBuffer(frames, rate, format);
    int32_t bytes = frames * frameBytes;
    int32_t arrived = ReadAvailable(stream, buffer->pcm, bytes);
    std::memset(buffer->pcm + arrived, 0, static_cast<size_t>(bytes - arrived));  // silence
    return buffer;
  }
  // No size to trust: read in pieces, so memory grows only with what actually arrives.
  std::vector<uint8_t> bytes;
  constexpr int32_t kPiece = 64 * 1024;
  while (static_cast<int64_t>(bytes.size()) < size && !stream.Eof()) {
    size_t at = bytes.size();
    bytes.resize(at + std::min<int64_t>(kPiece, size - static_cast<int64_t>(at)));
    bytes.resize(at +
                 ReadAvailable(stream, bytes.data() + at, static_cast<int32_t>(bytes.size() - at)));
  }
  int32_t frames = static_cast<int32_t>(bytes.size() / frameBytes);
  Ref<TSampleBuffer> buffer = MakeSampleBuffer(frames, rate, format);
  CopyFrames(bytes.data(), buffer->pcm, format, frames);
  return buffer;
}

}  // namespace

Ref<TSampleBuffer> TWavSampleLoader::TryLoad(const Ref<TStream>& source) {
  Ref<TStream> stream = WrapLittleEndian(source);
  if (ReadChunkTag(stream) != "RIFF") return nullptr;
  stream->ReadInt();  // RIFF size: the chunks say where they end
  if (ReadChunkTag(stream) != "WAVE") return nullptr;
  if (ReadChunkTag(stream) != "fmt ") return nullptr;
  int32_t fmtSize = stream->ReadInt();
  if (stream->ReadShort() != 1) return nullptr;  // PCM only
  int32_t channels = stream->ReadShort();
  int32_t rate = stream->ReadInt();
  stream->ReadInt();    // byte rate
  stream->ReadShort();  // block align
  int32_t bits = stream->ReadShort();
  int32_t format = PcmFormatOf(bits, channels);
  if (format == PCM_NONE) return nullptr;
  if (fmtSize > 16) stream->SkipBytes(fmtSize - 16);

  while (!stream->Eof()) {
    String tag = ReadChunkTag(stream);
    int32_t size = stream->ReadInt();
    if (tag == "data") return size < 0 ? nullptr : ReadFrames(*stream, size, rate, format);
    stream->SkipBytes(size);  // exactly the size: no pad byte after an odd one
  }
  return nullptr;
}

void InitWavLoader() {
  static bool started = false;
  if (started) return;
  started = true;
  InitAudioSamples();
  InitStreams();
  New<TWavSampleLoader>();  // the registry keeps it
}

}  // namespace tarn
