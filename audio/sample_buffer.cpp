#include "audio/sample_buffer.h"

#include <cstring>
#include <new>
#include <vector>

#include "runtime/runtime.h"

namespace tarn {

namespace {

constexpr std::align_val_t kPcmAlignment{16};

[[noreturn]] void RaiseUnconvertible() {
  RaiseRuntimeError("Unimplemented sample format conversion");
}

// The formats the pivot rules know: every real format, not PCM_NONE.
bool IsConvertible(int32_t format) { return format >= PCM_MONO_U8 && format <= PCM_STEREO_S16BE; }

int16_t WidenU8(uint8_t u) { return static_cast<int16_t>(u * 257 - 32768); }
uint8_t NarrowToU8(int32_t value) { return static_cast<uint8_t>((value + 32768) / 257); }

int16_t ReadLE(const uint8_t* p) { return static_cast<int16_t>(p[0] | p[1] << 8); }
int16_t ReadBE(const uint8_t* p) { return static_cast<int16_t>(p[0] << 8 | p[1]); }
void WriteLE(uint8_t* p, int32_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
}
void WriteBE(uint8_t* p, int32_t value) {
  p[0] = static_cast<uint8_t>(value >> 8);
  p[1] = static_cast<uint8_t>(value);
}

// Pivot frames are left high, left low, right high, right low.
void ToPivot(const uint8_t* from, int32_t format, uint8_t* to, int32_t frames) {
  for (int32_t i = 0; i < frames; ++i, to += 4) {
    int16_t left = 0;
    int16_t right = 0;
    switch (format) {
      case PCM_MONO_U8: left = right = WidenU8(from[i]); break;
      case PCM_MONO_S16LE: left = right = ReadLE(from + 2 * i); break;
      case PCM_MONO_S16BE: left = right = ReadBE(from + 2 * i); break;
      case PCM_STEREO_U8:
        left = WidenU8(from[2 * i]);
        right = WidenU8(from[2 * i + 1]);
        break;
      case PCM_STEREO_S16LE:
        left = ReadLE(from + 4 * i);
        right = ReadLE(from + 4 * i + 2);
        break;
    }
    WriteBE(to, left);
    WriteBE(to + 2, right);
  }
}

void FromPivot(const uint8_t* from, uint8_t* to, int32_t format, int32_t frames) {
  for (int32_t i = 0; i < frames; ++i, from += 4) {
    int32_t left = ReadBE(from);
    int32_t right = ReadBE(from + 2);
    int32_t mono = (left + right) / 2;  // C++ division truncates toward zero
    switch (format) {
      case PCM_MONO_U8: to[i] = NarrowToU8(mono); break;
      case PCM_MONO_S16LE: WriteLE(to + 2 * i, mono); break;
      case PCM_MONO_S16BE: WriteBE(to + 2 * i, mono); break;
      case PCM_STEREO_U8:
        to[2 * i] = NarrowToU8(left);
        to[2 * i + 1] = NarrowToU8(right);
        break;
      case PCM_STEREO_S16LE:
        WriteLE(to + 4 * i, left);
        WriteLE(to + 4 * i + 2, right);
        break;
    }
  }
}

}  // namespace

TSampleBuffer::~TSampleBuffer() {
  if (capacity >= 0) ::operator delete(pcm, kPcmAlignment);
}

Ref<TSampleBuffer> TSampleBuffer::Duplicate() {
  Ref<TSampleBuffer> copy = Make(frameCount, rate, format);
  CopyFrames(pcm, copy->pcm, format, frameCount);
  return copy;
}

Ref<TSampleBuffer> TSampleBuffer::ConvertTo(int32_t newFormat) {
  if (newFormat != format && !IsConvertible(newFormat)) RaiseUnconvertible();
  Ref<TSampleBuffer> converted = Make(frameCount, rate, newFormat);
  ConvertFrames(pcm, format, converted->pcm, newFormat, frameCount);
  return converted;
}

Ref<TSampleBuffer> TSampleBuffer::Make(int32_t frameCount, int32_t rate, int32_t format) {
  if (!IsSampleFormat(format)) RaiseRuntimeError("Unknown sample format");
  int64_t bytes = int64_t{frameCount} * FrameBytes[format];
  if (frameCount < 0 || bytes > INT32_MAX) RaiseRuntimeError("Sample buffer size out of range");
  auto buffer = New<TSampleBuffer>();
  buffer->pcm = static_cast<uint8_t*>(::operator new(static_cast<size_t>(bytes), kPcmAlignment));
  buffer->frameCount = frameCount;
  buffer->rate = rate;
  buffer->format = format;
  buffer->capacity = static_cast<int32_t>(bytes);
  return buffer;
}

Ref<TSampleBuffer> TSampleBuffer::Wrap(void* pcm, int32_t frameCount, int32_t rate,
                                       int32_t format) {
  auto buffer = New<TSampleBuffer>();
  buffer->pcm = static_cast<uint8_t*>(pcm);
  buffer->frameCount = frameCount;
  buffer->rate = rate;
  buffer->format = format;
  return buffer;
}

Ref<TSampleBuffer> MakeSampleBuffer(int32_t frameCount, int32_t rate, int32_t format) {
  return TSampleBuffer::Make(frameCount, rate, format);
}

Ref<TSampleBuffer> WrapSampleBuffer(void* pcm, int32_t frameCount, int32_t rate, int32_t format) {
  return TSampleBuffer::Wrap(pcm, frameCount, rate, format);
}

void CopyFrames(const void* from, void* to, int32_t format, int32_t frameCount) {
  if (!IsSampleFormat(format)) RaiseUnconvertible();
  if (frameCount <= 0 || FrameBytes[format] == 0) return;
  std::memcpy(to, from, static_cast<size_t>(frameCount) * FrameBytes[format]);
}

void ConvertFrames(const void* from, int32_t fromFormat, void* to, int32_t toFormat,
                   int32_t frameCount) {
  if (fromFormat == toFormat) return CopyFrames(from, to, fromFormat, frameCount);
  if (!IsConvertible(fromFormat) || !IsConvertible(toFormat)) RaiseUnconvertible();
  if (frameCount <= 0) return;
  auto* source = static_cast<const uint8_t*>(from);
  auto* destination = static_cast<uint8_t*>(to);
  if (fromFormat == PCM_STEREO_S16BE) return FromPivot(source, destination, toFormat, frameCount);
  if (toFormat == PCM_STEREO_S16BE) return ToPivot(source, fromFormat, destination, frameCount);
  std::vector<uint8_t> pivot(static_cast<size_t>(frameCount) * 4);
  ToPivot(source, fromFormat, pivot.data(), frameCount);
  FromPivot(pivot.data(), destination, toFormat, frameCount);
}

void InitAudioSamples() {
  static bool started = false;
  if (started) return;
  started = true;
  InitRuntime();
}

}  // namespace tarn
