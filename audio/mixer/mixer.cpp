// The mixing side: sound and mixer objects, the two rings and the mixing pass.
#include <algorithm>
#include <cstring>

#include "audio/mixer/mixer_internal.h"

namespace sonaflux {

namespace {

constexpr auto relaxed = std::memory_order_relaxed;

std::atomic<clock_function> installed_clock{nullptr};
std::atomic<mix_record_function> installed_mix{nullptr};

int32_t next_index(int32_t index) { return (index + 1) & (kRingSlots - 1); }

}  // namespace

uint32_t clock_ms() {
  clock_function clock = installed_clock.load(relaxed);
  return clock ? clock() : system_clock_ms();
}

void set_clock(clock_function clock) { installed_clock.store(clock, relaxed); }

void set_mix_record(mix_record_function function) { installed_mix.store(function, relaxed); }

// A held record is not mixed, so its current values may be set directly: it resumes at them
// without a ramp. Depth has no ramp and is read from its target alone.
void sound::setrate(int32_t value) {
  rateTarget.store(value, relaxed);
  if (status.load(relaxed) & STATUS_HELD) rate.store(value, relaxed);
}

void sound::setvolume(int16_t value) {
  volumeTarget.store(value, relaxed);
  if (status.load(relaxed) & STATUS_HELD) volume.store(value, relaxed);
}

void sound::setpan(int16_t value) {
  panTarget.store(value, relaxed);
  if (status.load(relaxed) & STATUS_HELD) pan.store(value, relaxed);
}

void sound::setdepth(int16_t value) { depthTarget.store(value, relaxed); }

int32_t sound::getrate(int32_t target) { return (target ? rateTarget : rate).load(relaxed); }
int16_t sound::getvolume(int32_t target) { return (target ? volumeTarget : volume).load(relaxed); }
int16_t sound::getpan(int32_t target) { return (target ? panTarget : pan).load(relaxed); }
int16_t sound::getdepth(int32_t target) { return (target ? depthTarget : depth).load(relaxed); }

int64_t sound::getposition() {
  if (!buffer) return 0;
  return static_cast<int64_t>(travelled.load(relaxed) >> 32) / buffer->channels;
}

mixer::mixer(int32_t size) : accumulator(new int32_t[size]()), accumulatorSize(size) {}

mixer::~mixer() { delete[] accumulator; }

bool mixer::enqueue_pending(sound* record) {
  int32_t write = pendingWrite.load(relaxed);
  int32_t next = next_index(write);
  if (next == pendingRead.load(std::memory_order_acquire)) return false;
  pending[write] = record;
  pendingWrite.store(next, std::memory_order_release);
  return true;
}

sound* mixer::take_recycled() {
  int32_t read = recycleRead.load(relaxed);
  if (read == recycleWrite.load(std::memory_order_acquire)) return nullptr;
  sound* record = recycle[read];
  recycleRead.store(next_index(read), std::memory_order_release);
  return record;
}

bool mixer::push_recycled(sound* record) {
  int32_t write = recycleWrite.load(relaxed);
  int32_t next = next_index(write);
  if (next == recycleRead.load(std::memory_order_acquire)) return false;
  recycle[write] = record;
  recycleWrite.store(next, std::memory_order_release);
  return true;
}

void mixer::recycle_playing() {
  // A record that does not fit the ring now stays listed; the library's stop collects it.
  sound** link = &playing;
  while (sound* record = *link) {
    sound* next = record->next;  // once pushed, the record belongs to the application thread
    if (push_recycled(record)) {
      *link = next;
    } else {
      link = &record->next;
    }
  }
}

void mixer::mix_pass(int32_t samples) {
  int32_t frames = samples / 2;
  uint32_t now = clock_ms();
  int32_t read = pendingRead.load(relaxed);
  int32_t write = pendingWrite.load(std::memory_order_acquire);
  while (read != write) {
    sound* record = pending[read];
    read = next_index(read);
    record->next = playing;
    playing = record;
    int32_t wait = static_cast<int32_t>(record->startTime + 20 - now);
    record->delay = std::max(wait, 0) * static_cast<int64_t>(rate) / 1000;
  }
  pendingRead.store(read, std::memory_order_release);

  mix_record_function mix = installed_mix.load(relaxed);
  if (!mix) mix = mix_record_fast;
  sound** link = &playing;
  while (sound* record = *link) {
    int32_t result = mix(record, accumulator, frames);
    bool release = result == -1;
    if (result == 1) {
      int32_t status = record->status.load(relaxed);
      int32_t ended = record->autofree.load(relaxed) ? STATUS_FREE : STATUS_STOPPED;
      // The application may hold or stop the record at the same moment; its change wins only
      // when it stopped it, which ends the record just the same.
      while (status != ended && !record->status.compare_exchange_weak(status, ended, relaxed)) {
      }
      release = ended == STATUS_FREE;
    }
    // A released record that the full recycle ring cannot take stays listed as free and is
    // handed back at a later pass.
    sound* next = record->next;  // once pushed, the record belongs to the application thread
    if (release && push_recycled(record)) {
      *link = next;
    } else {
      link = &record->next;
    }
  }
}

void mix16(mixer* m, int16_t* destination, int32_t count) {
  if (count <= 0 || count > m->accumulatorSize) count = m->accumulatorSize;
  count &= ~1;
  m->mix_pass(count);
  int32_t* accumulator = m->accumulator;
  for (int32_t i = 0; i < count; i++) {
    destination[i] = static_cast<int16_t>(std::clamp(accumulator[i] >> 4, -32768, 32767));
  }
  std::memset(accumulator, 0, sizeof(int32_t) * count);
}

audiodevice::~audiodevice() { delete mix; }

}  // namespace sonaflux
