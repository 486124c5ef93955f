// The mixing of one record, split so that a faster frame loop can share everything but the
// loop itself with the plain reference loop. Mixing thread only.
#pragma once

#include <cstdint>

#include "audio/mixer/mixer_internal.h"

namespace sonaflux {

struct gains {
  int16_t left, right;
};
gains gains_for(int16_t volume, int16_t pan, int16_t depth);

// The state of one record across one block.
struct block {
  const audiobuffer* buffer;
  uint32_t loopLength;  // samples
  bool looping;
  bool ramp;
  int16_t pan, depth;
  uint64_t pos, travelled;  // 32.32 samples
  int64_t inc, dinc;        // 32.32 samples per frame, and its change per frame
  int32_t v, dv;            // volume × 256, and its change per frame
};

// Loop rule: false when the record has reached its end (it does not loop); otherwise wraps pos
// into the buffer. The remainder equals subtracting the loop length until it fits, without a
// long loop for fast rates over short buffers.
inline bool apply_loop_rule(block& b) {
  uint32_t whole = static_cast<uint32_t>(b.pos >> 32);
  if (whole < b.loopLength) return true;
  if (!b.looping) return false;
  b.pos = (static_cast<uint64_t>(whole % b.loopLength) << 32) | (b.pos & 0xFFFFFFFFu);
  return true;
}

// Adds with 32-bit wrap-around, as the accumulator's fixed width implies.
inline void accumulate(int32_t& entry, int32_t value) {
  entry = static_cast<int32_t>(static_cast<uint32_t>(entry) + static_cast<uint32_t>(value));
}

// Mixes up to `frames` frames from b; gives 1 when the record ended, 0 when the block is done.
using frame_loop_function = int32_t (*)(block& b, int32_t* out, int32_t frames);
int32_t plain_frame_loop(block& b, int32_t* out, int32_t frames);
int32_t fast_frame_loop(block& b, int32_t* out, int32_t frames);

int32_t mix_record(sound* record, int32_t* out, int32_t frames, frame_loop_function loop);

}  // namespace sonaflux
