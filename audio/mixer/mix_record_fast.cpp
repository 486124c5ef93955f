// The fast frame loop: one specialised loop per buffer kind (8/16 bits, mono/stereo) and per
// mode (fixed gains or ramp), with the end of the buffer tested as one 64-bit comparison.
// 16-bit mono buffers, the common kind, mix four frames at a time with SSE2 integer arithmetic
// where the processor has it (the 32-bit build checks at run time).
// Every sample equals the plain loop's (mix_record.cpp); a differential test checks it.
#include <algorithm>
#include <cstring>

#include "audio/mixer/mix_record.h"

#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#define SONAFLUX_SSE2 1
#endif

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

#ifdef SONAFLUX_SSE2
// Sign-extends the low 16 bits of each 32-bit lane: the value taken to 16 bits.
__attribute__((target("sse2"))) inline __m128i to16(__m128i x) {
  return _mm_srai_epi32(_mm_slli_epi32(x, 16), 16);
}

// 32-bit lanes holding 16-bit values times a 16-bit factor per lane (high halves of the factor
// lanes zero), exactly.
__attribute__((target("sse2"))) inline __m128i times16(__m128i x, __m128i factor) {
  return _mm_madd_epi16(x, _mm_and_si128(factor, _mm_set1_epi32(0xFFFF)));
}

// Four lanes built in registers: storing them and loading one vector would stall.
__attribute__((target("sse2"))) inline __m128i lanes(const uint32_t* x) {
  return _mm_set_epi32(static_cast<int32_t>(x[3]), static_cast<int32_t>(x[2]),
                       static_cast<int32_t>(x[1]), static_cast<int32_t>(x[0]));
}

// Adds four frames of samples (16-bit values in 32-bit lanes) times their gains to the
// accumulator, left and right interleaved.
__attribute__((target("sse2"))) inline void accumulate4(int32_t* out, __m128i sample, __m128i left,
                                                        __m128i right) {
  __m128i l = _mm_srai_epi32(times16(sample, left), 8);
  __m128i r = _mm_srai_epi32(times16(sample, right), 8);
  __m128i* target = reinterpret_cast<__m128i*>(out);
  _mm_storeu_si128(target, _mm_add_epi32(_mm_loadu_si128(target), _mm_unpacklo_epi32(l, r)));
  _mm_storeu_si128(target + 1,
                   _mm_add_epi32(_mm_loadu_si128(target + 1), _mm_unpackhi_epi32(l, r)));
}

// The gains of four frames from their volumes (16-bit values in 32-bit lanes), as gains_for.
__attribute__((target("sse2"))) inline void simd_gains(__m128i volume, int16_t pan, int16_t depth,
                                                       __m128i& left, __m128i& right) {
  left = right = volume;
  if (pan > 0) left = to16(_mm_srai_epi32(times16(volume, _mm_set1_epi32(4096 - pan)), 12));
  if (pan < 0) right = to16(_mm_srai_epi32(times16(volume, _mm_set1_epi32(4096 + pan)), 12));
  if (depth < 0) right = to16(_mm_sub_epi32(_mm_setzero_si128(), right));
}

// 16-bit mono: the four frames of a group are read and mixed in vector lanes. Interpolation
// a + ((b - a) * f >> 16) needs a 33-bit product; with f = 2 * f1 + f0 it is computed exactly as
// a + ((d * f1 + (d * f0 >> 1)) >> 15), whose terms fit 32 bits. A group that would reach the end
// of the buffer is left to the scalar loop, which applies the loop rule.
template <bool Ramp>
__attribute__((target("sse2"))) int32_t simd_mono16_loop(block& b, int32_t* out, int32_t frames) {
  const int16_t* pcm = reinterpret_cast<const int16_t*>(b.buffer->pcm);
  const uint64_t end = static_cast<uint64_t>(b.loopLength) << 32;
  const __m128i minusOnePlusOne = _mm_set1_epi32(0x0001FFFF);  // pairs (-1, +1)
  __m128i left, right;
  simd_gains(_mm_set1_epi32(static_cast<int16_t>(b.v >> 8)), b.pan, b.depth, left, right);
  int32_t n = 0;
  while (n < frames) {
    uint64_t pos[4];
    int64_t inc = b.inc;
    uint64_t next = b.pos;
    for (int k = 0; k < 4; k++) {
      pos[k] = next;
      next += static_cast<uint64_t>(inc);
      if constexpr (Ramp) inc += b.dinc;
    }
    if (frames - n < 4 || next >= end) {
      int32_t count = std::min(4, frames - n);
      if (frame_loop<16, 1, Ramp>(b, out + 2 * n, count)) return 1;
      n += count;
      continue;
    }
    uint32_t pair[4], weight[4], odd[4];
    for (int k = 0; k < 4; k++) {
      std::memcpy(&pair[k], pcm + static_cast<uint32_t>(pos[k] >> 32), 4);
      uint32_t f = static_cast<uint32_t>(pos[k] >> 16) & 0xFFFF, f1 = f >> 1;
      weight[k] = (f1 << 16) | (static_cast<uint32_t>(-static_cast<int32_t>(f1)) & 0xFFFF);
      odd[k] = 0u - (f & 1);
    }
    __m128i ab = lanes(pair);
    __m128i d = _mm_madd_epi16(ab, minusOnePlusOne);
    __m128i df1 = _mm_madd_epi16(ab, lanes(weight));
    __m128i df0 = _mm_srai_epi32(_mm_and_si128(d, lanes(odd)), 1);
    __m128i sample = _mm_add_epi32(to16(ab), _mm_srai_epi32(_mm_add_epi32(df1, df0), 15));
    if constexpr (Ramp) {
      int32_t v0 = b.v, dv = b.dv;
      __m128i v = _mm_set_epi32(v0 + 3 * dv, v0 + 2 * dv, v0 + dv, v0);
      simd_gains(to16(_mm_srai_epi32(v, 8)), b.pan, b.depth, left, right);
      b.v = v0 + 4 * dv;
    }
    accumulate4(out + 2 * n, sample, left, right);
    b.travelled += next - b.pos;
    b.pos = next;
    b.inc = inc;
    n += 4;
  }
  return 0;
}

// 16-bit mono with fixed gains: the step is constant, so the fractions of the four frames of a
// group advance together in vector lanes; only the integer parts (for the reads) are scalar.
__attribute__((target("sse2"))) int32_t simd_mono16_fixed(block& b, int32_t* out, int32_t frames) {
  const int16_t* pcm = reinterpret_cast<const int16_t*>(b.buffer->pcm);
  const uint64_t end = static_cast<uint64_t>(b.loopLength) << 32;
  const uint64_t inc = static_cast<uint64_t>(b.inc);
  const __m128i minusOnePlusOne = _mm_set1_epi32(0x0001FFFF);  // pairs (-1, +1)
  const __m128i low16 = _mm_set1_epi32(0xFFFF), one = _mm_set1_epi32(1);
  const __m128i fractionStep = _mm_set1_epi32(static_cast<int32_t>(4 * inc));
  __m128i left, right;
  simd_gains(_mm_set1_epi32(static_cast<int16_t>(b.v >> 8)), b.pan, b.depth, left, right);
  uint64_t pos = b.pos;
  uint32_t first[4] = {static_cast<uint32_t>(pos), static_cast<uint32_t>(pos + inc),
                       static_cast<uint32_t>(pos + 2 * inc), static_cast<uint32_t>(pos + 3 * inc)};
  __m128i fraction = lanes(first);
  int32_t n = 0;
  while (n < frames) {
    uint64_t next = pos + 4 * inc;
    if (frames - n < 4 || next >= end) {
      int32_t count = std::min(4, frames - n);
      b.travelled += pos - b.pos;
      b.pos = pos;
      if (frame_loop<16, 1, false>(b, out + 2 * n, count)) return 1;
      pos = b.pos;
      uint32_t again[4] = {static_cast<uint32_t>(pos), static_cast<uint32_t>(pos + inc),
                           static_cast<uint32_t>(pos + 2 * inc),
                           static_cast<uint32_t>(pos + 3 * inc)};
      fraction = lanes(again);
      n += count;
      continue;
    }
    uint32_t pair[4];
    std::memcpy(&pair[0], pcm + static_cast<uint32_t>(pos >> 32), 4);
    std::memcpy(&pair[1], pcm + static_cast<uint32_t>((pos + inc) >> 32), 4);
    std::memcpy(&pair[2], pcm + static_cast<uint32_t>((pos + 2 * inc) >> 32), 4);
    std::memcpy(&pair[3], pcm + static_cast<uint32_t>((pos + 3 * inc) >> 32), 4);
    __m128i ab = lanes(pair);
    __m128i f = _mm_srli_epi32(fraction, 16);
    __m128i f1 = _mm_srli_epi32(f, 1);
    __m128i weight = _mm_or_si128(_mm_slli_epi32(f1, 16),
                                  _mm_and_si128(_mm_sub_epi32(_mm_setzero_si128(), f1), low16));
    __m128i odd = _mm_sub_epi32(_mm_setzero_si128(), _mm_and_si128(f, one));
    __m128i d = _mm_madd_epi16(ab, minusOnePlusOne);
    __m128i df0 = _mm_srai_epi32(_mm_and_si128(d, odd), 1);
    __m128i delta = _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(ab, weight), df0), 15);
    __m128i sample = _mm_add_epi32(to16(ab), delta);
    accumulate4(out + 2 * n, sample, left, right);
    fraction = _mm_add_epi32(fraction, fractionStep);
    pos = next;
    n += 4;
  }
  b.travelled += pos - b.pos;
  b.pos = pos;
  return 0;
}

// Read once at start-up, so that the mixing thread never meets a guarded static.
const bool hasSse2 = (__builtin_cpu_init(), __builtin_cpu_supports("sse2"));
#endif

template <bool Ramp>
frame_loop_function pick(const audiobuffer* buffer) {
  if (buffer->bits == 16) {
#ifdef SONAFLUX_SSE2
    if (buffer->channels == 1 && hasSse2) {
      return Ramp ? simd_mono16_loop<true> : simd_mono16_fixed;
    }
#endif
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
