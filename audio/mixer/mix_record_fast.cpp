// The fast frame loop: one specialised loop per buffer kind (8/16 bits, mono/stereo) and per
// mode (fixed gains or ramp), with the end of the buffer tested as one 64-bit comparison.
// Every sample equals the plain loop's (mix_record.cpp); a differential test checks it.
#include "audio/mixer/mix_record.h"

namespace sonaflux {

namespace {

template <int Bits>
inline int32_t interpolate(const void* pcm, uint32_t i, uint32_t stride, uint32_t f) {
  if constexpr (Bits == 16) {
    const int16_t* samples = static_cast<const int16_t*>(pcm);
    int32_t a = samples[i], b = samples[i + stride];
    return a + static_cast<int32_t>((static_cast<int64_t>(b - a) * f) >> 16);
  } else {
    const uint8_t* samples = static_cast<const uint8_t*>(pcm);
    int32_t a = samples[i], b = samples[i + stride];
    return (((b - a) * static_cast<int32_t>(f)) >> 8) + a * 256 - 32768;
  }
}

template <int Bits, int Channels, bool Ramp>
int32_t frame_loop(block& b, int32_t* out, int32_t frames) {
  const void* pcm = b.buffer->pcm;
  const uint64_t end = static_cast<uint64_t>(b.loopLength) << 32;
  uint64_t pos = b.pos, travelled = b.travelled;
  int64_t inc = b.inc;
  int32_t v = b.v;
  gains g = gains_for(static_cast<int16_t>(v >> 8), b.pan, b.depth);
  int32_t result = 0;
  for (int32_t n = 0; n < frames; n++) {
    if constexpr (Ramp) g = gains_for(static_cast<int16_t>(v >> 8), b.pan, b.depth);
    uint32_t whole = static_cast<uint32_t>(pos >> 32);
    int32_t left, right;
    if constexpr (Channels == 1) {
      left = right = interpolate<Bits>(pcm, whole, 1, static_cast<uint32_t>(pos >> 16) & 0xFFFF);
    } else {
      uint32_t i = whole & ~1u, f = static_cast<uint32_t>(pos >> 17) & 0xFFFF;
      left = interpolate<Bits>(pcm, i, 2, f);
      right = interpolate<Bits>(pcm, i + 1, 2, f);
    }
    accumulate(out[2 * n], (left * g.left) >> 8);
    accumulate(out[2 * n + 1], (right * g.right) >> 8);
    if constexpr (Ramp) v += b.dv;
    pos += static_cast<uint64_t>(inc);
    travelled += static_cast<uint64_t>(inc);
    if (pos >= end) {
      b.pos = pos;
      if (!apply_loop_rule(b)) {
        result = 1;
        break;
      }
      pos = b.pos;
    }
    if constexpr (Ramp) inc += b.dinc;
  }
  b.pos = pos;
  b.travelled = travelled;
  b.inc = inc;
  b.v = v;
  return result;
}

template <bool Ramp>
frame_loop_function pick(const audiobuffer* buffer) {
  if (buffer->bits == 16) {
    return buffer->channels == 2 ? frame_loop<16, 2, Ramp> : frame_loop<16, 1, Ramp>;
  }
  return buffer->channels == 2 ? frame_loop<8, 2, Ramp> : frame_loop<8, 1, Ramp>;
}

}  // namespace

int32_t fast_frame_loop(block& b, int32_t* out, int32_t frames) {
  return (b.ramp ? pick<true>(b.buffer) : pick<false>(b.buffer))(b, out, frames);
}

int32_t mix_record_fast(sound* record, int32_t* out, int32_t frames) {
  return mix_record(record, out, frames, fast_frame_loop);
}

}  // namespace sonaflux
