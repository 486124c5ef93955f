// Arbitrary bytes through the loader registry and the WAV loader, from a seekable memory stream.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "audio/wav_loader.h"

namespace {

class TFuzzStream : public tarn::TStream {
 public:
  TFuzzStream(const uint8_t* data, size_t size) : data_(data), size_(static_cast<int32_t>(size)) {}
  int32_t Pos() override { return pos_; }
  int32_t Size() override { return size_; }
  int32_t Seek(int32_t to) override { return pos_ = std::clamp(to, 0, size_); }
  int32_t Read(void* buf, int32_t count) override {
    int32_t n = std::min(count, size_ - pos_);
    if (n <= 0) return 0;
    std::memcpy(buf, data_ + pos_, static_cast<size_t>(n));
    pos_ += n;
    return n;
  }

 private:
  const uint8_t* data_;
  int32_t size_;
  int32_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool started = (tarn::InitWavLoader(), true);
  (void)started;
  if (size > INT32_MAX) return 0;
  tarn::Ref<tarn::TSampleBuffer> buffer =
      tarn::LoadSampleBuffer(tarn::Ref<tarn::TStream>(tarn::New<TFuzzStream>(data, size)));
  if (buffer) {
    // Every frame the buffer claims must be there, and no more than the input could hold.
    int32_t bytes = buffer->frameCount * tarn::FrameBytes[buffer->format];
    if (bytes > static_cast<int64_t>(size)) __builtin_trap();
    volatile uint8_t sum = 0;
    for (int32_t i = 0; i < bytes; ++i) sum = sum + buffer->pcm[i];
    // The loaded frames through the converter, both ways across the pivot.
    buffer->ConvertTo(tarn::PCM_STEREO_S16BE)->ConvertTo(tarn::PCM_MONO_U8);
  }
  return 0;
}
