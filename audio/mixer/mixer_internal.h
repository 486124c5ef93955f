// Pieces of the mixer shared between its own files and its tests: the millisecond clock (which
// tests replace to place sounds exactly), the mixing of one record, and record accounting.
#pragma once

#include <cstdint>

#include "audio/mixer/sonaflux.h"

namespace sonaflux {

// The millisecond clock that stamps starts and measures the 20 ms start delay: timeGetTime on
// Windows, a monotonic clock elsewhere. Replaceable for tests (set it while no device feeds).
using clock_function = uint32_t (*)();
uint32_t clock_ms();
void set_clock(clock_function clock);  // null restores the system clock
uint32_t system_clock_ms();

// Mixes one record into `frames` stereo frames of accumulator; gives 1 (ended), 0 (block done),
// -1 (free, drop it) or -2 (held). The plain version is the reference for every output sample;
// the fast version must give the same samples bit for bit.
int32_t mix_record_plain(sound* record, int32_t* out, int32_t frames);
int32_t mix_record_fast(sound* record, int32_t* out, int32_t frames);
using mix_record_function = int32_t (*)(sound*, int32_t*, int32_t);
void set_mix_record(mix_record_function function);  // null restores the fast version

// Record accounting of the started library (application thread, while no device feeds):
// records ever allocated, records spare on the application side, records in the mixer's
// playing list.
struct record_counts {
  int32_t allocated;
  int32_t spare;
  int32_t playing;
};
record_counts count_records();

// The record a live handle names (a placeholder when none was played yet), or null.
sound* record_of(int32_t handle);

}  // namespace sonaflux
