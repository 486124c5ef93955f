// Mixing one record into the accumulator: the part shared by both implementations (status,
// start delay, steps, ramps) and the plain frame loop, which defines every output sample.
#include "audio/mixer/mix_record.h"

namespace sonaflux {

namespace {

constexpr auto relaxed = std::memory_order_relaxed;

// One source sample per side at the 32.32 position `pos` (in samples), interpolated.
int32_t plain_sample(const audiobuffer* buffer, uint64_t pos, int side) {
  uint32_t i = static_cast<uint32_t>(pos >> 32);
  uint32_t f = static_cast<uint32_t>(pos >> 16) & 0xFFFF;
  uint32_t stride = 1;
  if (buffer->channels == 2) {
    i = (i & ~1u) + side;
    f = static_cast<uint32_t>(pos >> 17) & 0xFFFF;
    stride = 2;
  }
  if (buffer->bits == 16) {
    const int16_t* pcm = reinterpret_cast<const int16_t*>(buffer->pcm);
    int32_t a = pcm[i], b = pcm[i + stride];
    return a + static_cast<int32_t>((static_cast<int64_t>(b - a) * f) >> 16);
  }
  int32_t a = buffer->pcm[i], b = buffer->pcm[i + stride];
  return (((b - a) * static_cast<int32_t>(f)) >> 8) + a * 256 - 32768;
}

}  // namespace

gains gains_for(int16_t volume, int16_t pan, int16_t depth) {
  int16_t left = volume, right = volume;
  if (pan > 0) left = static_cast<int16_t>((volume * (4096 - pan)) >> 12);
  if (pan < 0) right = static_cast<int16_t>((volume * (4096 + pan)) >> 12);
  if (depth < 0) right = static_cast<int16_t>(-right);
  return {left, right};
}

int32_t mix_record(sound* record, int32_t* out, int32_t frames, frame_loop_function loop) {
  int32_t status = record->status.load(relaxed);
  if (status == STATUS_STOPPED) return 1;
  if (status & STATUS_HELD) return -2;
  if (status == STATUS_FREE) return -1;
  const audiobuffer* buffer = record->buffer;
  block b;
  b.loopLength =
      static_cast<uint32_t>(buffer->channels) * static_cast<uint32_t>(buffer->frameCount);
  if (b.loopLength == 0) return 1;  // nothing to play: ends at once
  if (record->delay) {
    if (record->delay >= frames) {
      record->delay -= frames;
      return 0;
    }
    out += 2 * record->delay;
    frames -= record->delay;
    record->delay = 0;
  }
  int32_t rate = record->rate.load(relaxed), rateTarget = record->rateTarget.load(relaxed);
  int64_t stepNow = static_cast<int64_t>(rate) * buffer->rate / kOutputRate;
  int64_t stepEnd = static_cast<int64_t>(rateTarget) * buffer->rate / kOutputRate;
  int16_t volume = record->volume.load(relaxed);
  int16_t volumeTarget = record->volumeTarget.load(relaxed);

  b.buffer = buffer;
  b.looping = (status & STATUS_LOOPING) != 0;
  b.pan = record->panTarget.load(relaxed);
  b.depth = record->depthTarget.load(relaxed);
  b.pos = record->pos.load(relaxed);
  b.travelled = record->travelled.load(relaxed);
  b.inc = stepNow * buffer->channels * 65536;
  b.ramp = volume != volumeTarget || stepNow != stepEnd;
  b.v = volume * 256;
  b.dv = 0;
  b.dinc = 0;
  int32_t result;
  if (b.ramp) {
    b.dv = (volumeTarget * 256 - volume * 256) / frames;
    b.dinc = (stepEnd * buffer->channels * 65536 - b.inc) / frames;
    record->volume.store(volumeTarget, relaxed);
    record->rate.store(rateTarget, relaxed);
    result = loop(b, out, frames);
  } else if (volume == 0) {
    // Silent: one position update for the whole block, nothing read.
    uint64_t advance = static_cast<uint64_t>(frames) * static_cast<uint64_t>(b.inc);
    b.pos += advance;
    b.travelled += advance;
    result = apply_loop_rule(b) ? 0 : 1;
  } else {
    result = loop(b, out, frames);
  }
  record->pos.store(b.pos, relaxed);
  record->travelled.store(b.travelled, relaxed);
  return result;
}

int32_t plain_frame_loop(block& b, int32_t* out, int32_t frames) {
  gains g = gains_for(static_cast<int16_t>(b.v >> 8), b.pan, b.depth);
  for (int32_t n = 0; n < frames; n++) {
    if (b.ramp) g = gains_for(static_cast<int16_t>(b.v >> 8), b.pan, b.depth);
    int32_t left = plain_sample(b.buffer, b.pos, 0);
    int32_t right = b.buffer->channels == 2 ? plain_sample(b.buffer, b.pos, 1) : left;
    accumulate(out[2 * n], (left * g.left) >> 8);
    accumulate(out[2 * n + 1], (right * g.right) >> 8);
    b.v += b.dv;
    b.pos += static_cast<uint64_t>(b.inc);
    b.travelled += static_cast<uint64_t>(b.inc);
    if (!apply_loop_rule(b)) return 1;
    b.inc += b.dinc;
  }
  return 0;
}

int32_t mix_record_plain(sound* record, int32_t* out, int32_t frames) {
  return mix_record(record, out, frames, plain_frame_loop);
}

}  // namespace sonaflux
