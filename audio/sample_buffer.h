// PCM sample buffers and the conversion of frames between sample formats.
//
// A TSampleBuffer is a block of interleaved PCM frames in memory, either owned (made by Make,
// freed with the object) or wrapped (memory the caller owns and keeps alive). Six formats are
// known, mono and stereo in unsigned 8-bit and signed 16-bit of either byte order; every
// conversion between two different formats goes through big-endian 16-bit stereo, the pivot.
// Plain data with no thread of its own: use a buffer from one thread at a time.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace tarn {

enum : int32_t {
  PCM_NONE = 0,
  PCM_MONO_U8 = 1,
  PCM_MONO_S16LE = 2,
  PCM_MONO_S16BE = 3,
  PCM_STEREO_U8 = 4,
  PCM_STEREO_S16LE = 5,
  PCM_STEREO_S16BE = 6,
  PCM_FORMAT_COUNT = 7,
};

// Indexed by format code 0 .. 6; test a code from outside with IsSampleFormat first.
inline constexpr int32_t FrameBytes[PCM_FORMAT_COUNT] = {0, 1, 2, 2, 2, 4, 4};
inline constexpr int32_t FormatChannels[PCM_FORMAT_COUNT] = {0, 1, 1, 1, 2, 2, 2};

inline bool IsSampleFormat(int32_t format) { return format >= 0 && format < PCM_FORMAT_COUNT; }

class TSampleBuffer : public Object {
 public:
  ~TSampleBuffer() override;

  // A new owning buffer with the same frames, rate and format.
  virtual Ref<TSampleBuffer> Duplicate();
  // A new owning buffer holding these frames converted to format; this buffer is unchanged.
  virtual Ref<TSampleBuffer> ConvertTo(int32_t format);

  // An owning buffer of frameCount frames, 16-byte aligned, contents not initialised.
  // A format code outside 0 .. 6, a negative frame count or a byte size beyond 32 bits raise
  // TRuntimeException instead of allocating.
  static Ref<TSampleBuffer> Make(int32_t frameCount, int32_t rate, int32_t format);
  // A buffer over memory the caller owns and keeps alive; nothing is allocated or freed.
  static Ref<TSampleBuffer> Wrap(void* pcm, int32_t frameCount, int32_t rate, int32_t format);

  uint8_t* pcm = nullptr;  // the frames, left before right for stereo
  int32_t frameCount = 0;
  int32_t rate = 0;  // frames per second
  int32_t format = PCM_NONE;
  int32_t capacity = -1;  // bytes owned and freed with the buffer; -1 when pcm is borrowed
};

Ref<TSampleBuffer> MakeSampleBuffer(int32_t frameCount, int32_t rate, int32_t format);
Ref<TSampleBuffer> WrapSampleBuffer(void* pcm, int32_t frameCount, int32_t rate, int32_t format);

// Copies frameCount frames of format. A code outside 0 .. 6 raises
// "Unimplemented sample format conversion"; format 0 and frame counts below 1 copy nothing.
void CopyFrames(const void* from, void* to, int32_t format, int32_t frameCount);
// Converts frameCount frames; to must hold frameCount x FrameBytes[toFormat] bytes. Formats that
// cannot be converted raise TRuntimeException "Unimplemented sample format conversion" before
// anything is written to the destination.
void ConvertFrames(const void* from, int32_t fromFormat, void* to, int32_t toFormat,
                   int32_t frameCount);

// Once-guarded: initialises the runtime. The format tables are constants.
void InitAudioSamples();

}  // namespace tarn
