// The call interface: library start and stop, buffers, the channel table and the records the
// application thread hands to the mixer. Application thread only.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#include "audio/mixer/mixer_internal.h"

namespace sonaflux {
namespace {

constexpr auto relaxed = std::memory_order_relaxed;
constexpr uint32_t kSlotMask = kChannelSlots - 1;

// Slot 0 heads the free list and is never a handle. A handle is slot | generation.
struct channel_table {
  sound* record[kChannelSlots] = {};
  int32_t link[kChannelSlots] = {};
  uint32_t generation[kChannelSlots] = {};
  bool inUse[kChannelSlots] = {};  // explicit: a free slot at the list's end also links to 0

  channel_table() {
    for (int32_t i = 0; i < kChannelSlots; i++) {
      link[i] = (i + 1) & static_cast<int32_t>(kSlotMask);
      generation[i] = kChannelSlots;
    }
  }
};

struct library_state {
  audiodevice* device = nullptr;
  channel_table* table = nullptr;
  sound* spare = nullptr;  // records back from the mixer or never queued, ready for reuse
  int32_t allocated = 0;
  int32_t spareCount = 0;
};
library_state library;

void release_buffer(audiobuffer* buffer) {
  if (--buffer->refs > 0) return;
  if (buffer->ownedBytes) delete[] buffer->pcm;
  delete buffer;
}

void make_spare(sound* record) {
  if (record->buffer) release_buffer(record->buffer);
  record->buffer = nullptr;
  record->queued = false;
  record->next = library.spare;
  library.spare = record;
  library.spareCount++;
}

// The slot of a live handle, or -1.
int32_t live_slot(sonaflux_handle handle) {
  if (!library.table || handle == 0) return -1;
  uint32_t slot = static_cast<uint32_t>(handle) & kSlotMask;
  uint32_t generation = static_cast<uint32_t>(handle) & ~kSlotMask;
  if (slot == 0 || !library.table->inUse[slot] || library.table->generation[slot] != generation) {
    return -1;
  }
  return static_cast<int32_t>(slot);
}

// Takes back the records the mixer has finished with: their buffer references are dropped here,
// on the application thread, and a handle that still names one of them names nothing now.
void collect_recycled() {
  if (!library.device) return;
  while (sound* record = library.device->mix->take_recycled()) {
    int32_t slot = live_slot(record->handle);
    if (slot > 0 && library.table->record[slot] == record) library.table->record[slot] = nullptr;
    make_spare(record);
  }
}

// A record with current and target values taken from `previous`'s targets, or the defaults.
sound* supply_record(sound* previous) {
  collect_recycled();
  sound* record = library.spare;
  if (record) {
    library.spare = record->next;
    library.spareCount--;
  } else {
    record = new sound;
    library.allocated++;
  }
  record->owner = library.device ? library.device->mix : nullptr;
  record->next = nullptr;
  record->queued = false;
  record->handle = 0;
  record->autofree.store(0, relaxed);
  record->pos.store(0, relaxed);
  record->travelled.store(0, relaxed);
  record->delay = 0;
  int32_t rate = previous ? previous->rateTarget.load(relaxed) : 65536;
  int16_t volume = previous ? previous->volumeTarget.load(relaxed) : int16_t{4096};
  int16_t pan = previous ? previous->panTarget.load(relaxed) : int16_t{0};
  int16_t depth = previous ? previous->depthTarget.load(relaxed) : int16_t{0};
  record->rate.store(rate, relaxed);
  record->rateTarget.store(rate, relaxed);
  record->volume.store(volume, relaxed);
  record->volumeTarget.store(volume, relaxed);
  record->pan.store(pan, relaxed);
  record->panTarget.store(pan, relaxed);
  record->depth.store(depth, relaxed);
  record->depthTarget.store(depth, relaxed);
  return record;
}

// The record a live handle names; a handle that names none yet gets a placeholder, which keeps
// channel settings made before the first play.
sound* lookup(sonaflux_handle handle) {
  int32_t slot = live_slot(handle);
  if (slot < 0) return nullptr;
  sound*& record = library.table->record[slot];
  if (!record) {
    record = supply_record(nullptr);
    record->handle = handle;
    record->status.store(STATUS_STOPPED, relaxed);
  }
  return record;
}

// Ends a record that the application lets go: the mixer releases a queued one at its next pass
// (or once it has ended, for one that plays on); a placeholder never reached the mixer.
void let_go(sound* record, bool stop) {
  if (!record->queued) {
    make_spare(record);
    return;
  }
  if (stop) {
    int32_t status = record->status.load(relaxed);
    while (status != STATUS_FREE &&
           !record->status.compare_exchange_weak(status, STATUS_STOPPED, relaxed)) {
    }
  }
  record->autofree.store(1, relaxed);
}

// Float to fixed point, truncating toward zero and clamped to the field's range.
template <typename T>
T to_fixed(float value, float unity) {
  double scaled = std::trunc(static_cast<double>(value) * unity);
  if (!(scaled == scaled)) return 0;  // NaN
  if (scaled < std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
  if (scaled > std::numeric_limits<T>::max()) return std::numeric_limits<T>::max();
  return static_cast<T>(scaled);
}

void delete_records(sound* list) {
  while (list) {
    sound* next = list->next;
    if (list->buffer) release_buffer(list->buffer);
    delete list;
    list = next;
  }
}

}  // namespace

sound* record_of(int32_t handle) { return lookup(handle); }

record_counts count_records() {
  collect_recycled();
  int32_t playing = 0;
  if (library.device) {
    for (sound* record = library.device->mix->playing; record; record = record->next) playing++;
  }
  return {library.allocated, library.spareCount, playing};
}

}  // namespace sonaflux

using namespace sonaflux;

int32_t sonaflux_start(audiodevice* device) {
  if (!device) return -1;
  if (library.device || device->open() != 0) {  // one device at a time
    device->close();
    delete device;
    return -1;
  }
  library.device = device;
  library.table = new channel_table;
  return 0;
}

int32_t sonaflux_stop() {
  if (channel_table* table = library.table) {
    for (sound* record : table->record) {
      if (record && !record->queued) make_spare(record);  // placeholders are in no list
    }
    delete table;
  }
  library.table = nullptr;
  audiodevice* device = library.device;
  if (!device) return 0;
  device->close();
  // The device's thread has stopped: every record, wherever it is, goes now.
  collect_recycled();
  mixer* m = device->mix;
  if (m) {
    delete_records(m->playing);
    m->playing = nullptr;
    int32_t read = m->pendingRead.load(relaxed);
    for (; read != m->pendingWrite.load(relaxed); read = (read + 1) % kRingSlots) {
      m->pending[read]->next = nullptr;
      delete_records(m->pending[read]);
    }
    m->pendingRead.store(read, relaxed);
  }
  delete_records(library.spare);
  library.spare = nullptr;
  library.spareCount = 0;
  library.allocated = 0;
  library.device = nullptr;
  delete device;
  return 0;
}

audiobuffer* sonaflux_new_buffer(int32_t frameCount, int32_t bits, int32_t channels, int32_t rate,
                                 const void* data, int32_t loop) {
  if (!library.device) return nullptr;
  if ((bits != 8 && bits != 16) || (channels != 1 && channels != 2) || rate <= 0 ||
      frameCount < 0) {
    return nullptr;
  }
  int32_t frameBytes = channels * bits / 8;
  if (frameCount > std::numeric_limits<int32_t>::max() / frameBytes - 1) return nullptr;
  auto* buffer = new (std::nothrow) audiobuffer{};
  if (!buffer) return nullptr;
  buffer->rate = rate;
  buffer->channels = channels;
  buffer->bits = bits;
  buffer->frameCount = frameCount;
  buffer->frameBytes = frameBytes;
  buffer->byteCount = frameCount * frameBytes;
  buffer->refs = 1;
  buffer->ownedBytes = buffer->byteCount + frameBytes;
  buffer->pcm = new (std::nothrow) uint8_t[buffer->ownedBytes]();
  if (!buffer->pcm) {
    delete buffer;
    return nullptr;
  }
  buffer->writeCursor = buffer->pcm;
  if (data) {
    std::memcpy(buffer->pcm, data, buffer->byteCount);
    buffer->writeFrame = frameCount;
    buffer->writeCursor = buffer->pcm + buffer->byteCount;
  }
  buffer->loop = loop;
  uint8_t* guard = buffer->pcm + buffer->byteCount;
  if (frameCount > 0) {
    std::memcpy(guard, loop ? buffer->pcm : guard - frameBytes, frameBytes);
  }
  return buffer;
}

// Also after a stop: the stop released every record's reference, so no mixer reads the buffer.
int32_t sonaflux_release_buffer(audiobuffer* buffer) {
  if (!buffer) return 0;
  collect_recycled();
  release_buffer(buffer);
  return 0;
}

sonaflux_handle sonaflux_new_channel() {
  if (!library.table) return 0;
  channel_table& table = *library.table;
  int32_t slot = table.link[0];
  if (slot == 0) return 0;
  table.link[0] = table.link[slot];
  table.link[slot] = 0;
  table.inUse[slot] = true;
  table.generation[slot] += kChannelSlots;
  return static_cast<sonaflux_handle>(table.generation[slot] | static_cast<uint32_t>(slot));
}

void sonaflux_free_channel(sonaflux_handle handle) {
  int32_t slot = live_slot(handle);
  if (slot < 0) return;
  channel_table& table = *library.table;
  // A record that plays on without its handle is released by the mixer once it has ended.
  if (sound* record = table.record[slot]) let_go(record, false);
  table.record[slot] = nullptr;
  table.inUse[slot] = false;
  table.link[slot] = table.link[0];
  table.link[0] = slot;
}

sonaflux_handle sonaflux_play(audiobuffer* buffer, int32_t cue, sonaflux_handle handle) {
  if (!library.device || !buffer) return handle;
  mixer* m = library.device->mix;
  // A full pending ring refuses the start before anything changes.
  if (((m->pendingWrite.load(relaxed) + 1) & (kRingSlots - 1)) ==
      m->pendingRead.load(std::memory_order_acquire)) {
    return 0;
  }
  bool ownHandle = handle == 0;
  int32_t slot = -1;
  sound* previous = nullptr;
  if (ownHandle) {
    handle = sonaflux_new_channel();
    slot = live_slot(handle);
  } else {
    slot = live_slot(handle);
    if (slot < 0) return 0;  // a stale handle names nothing to play on
    previous = library.table->record[slot];
  }
  int32_t flags = buffer->loop ? STATUS_LOOPING : STATUS_ONCE;
  if (cue) flags |= STATUS_HELD;

  sound* record = supply_record(previous);
  buffer->refs++;
  record->buffer = buffer;
  record->status.store(flags, relaxed);
  record->startTime = clock_ms();
  record->handle = handle;
  record->autofree.store(ownHandle ? 1 : 0, relaxed);
  record->queued = true;
  if (slot > 0) {
    if (previous) let_go(previous, true);
    library.table->record[slot] = record;
  }
  m->enqueue_pending(record);  // cannot fail: the ring had room and only this thread fills it
  return handle;
}

int32_t sonaflux_halt(sonaflux_handle handle) {
  int32_t slot = live_slot(handle);
  if (slot < 0) return 0;
  if (sound* record = library.table->record[slot]) let_go(record, true);
  library.table->record[slot] = nullptr;
  sonaflux_free_channel(handle);
  return 0;
}

int32_t sonaflux_status(sonaflux_handle handle) {
  sound* record = lookup(handle);
  return record ? record->status.load(relaxed) : 0;
}

int32_t sonaflux_position(sonaflux_handle handle) {
  sound* record = lookup(handle);
  return record ? static_cast<int32_t>(record->getposition()) : 0;
}

int32_t sonaflux_set_held(sonaflux_handle handle, int32_t flag) {
  sound* record = lookup(handle);
  if (!record) return 0;
  // Only a playing record is held or resumed: one that has just ended stays ended.
  int32_t status = record->status.load(relaxed);
  for (;;) {
    if (!(status & (STATUS_ONCE | STATUS_LOOPING))) return 0;
    int32_t wanted = flag ? (status | STATUS_HELD) : (status & ~STATUS_HELD);
    if (record->status.compare_exchange_weak(status, wanted, relaxed)) return 0;
  }
}

int32_t sonaflux_set_volume(sonaflux_handle handle, float volume) {
  if (sound* record = lookup(handle)) record->setvolume(to_fixed<int16_t>(volume, 4096));
  return 0;
}

int32_t sonaflux_set_pan(sonaflux_handle handle, float pan) {
  if (sound* record = lookup(handle)) record->setpan(to_fixed<int16_t>(pan, 4096));
  return 0;
}

int32_t sonaflux_set_depth(sonaflux_handle handle, float depth) {
  if (sound* record = lookup(handle)) record->setdepth(to_fixed<int16_t>(depth, 4096));
  return 0;
}

int32_t sonaflux_set_rate(sonaflux_handle handle, float rate) {
  // A negative rate would run the position backwards out of the buffer: it stands still instead.
  if (sound* record = lookup(handle)) record->setrate(std::max(0, to_fixed<int32_t>(rate, 65536)));
  return 0;
}
