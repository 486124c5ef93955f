// The event queue: turns emitted events into a loop that waits for the next one.
//
// One hook on EventHookId, at priority -10000, puts every emitted TEvent into a ring of 256.
// Bursts of timer ticks, gadget actions, window moves and window sizes are merged into the
// queued event of the same id and source; when the ring is full, further events are dropped.
// Taking an event when none is queued pumps the system driver, which is what makes the sources
// emit. The event taken last is the current event, read through the LastEvent... accessors.
//
// Main thread only, no locks. The ring is allocated once; posting and taking allocate nothing.
#pragma once

#include <array>
#include <cstdint>

#include "events/event.h"

namespace tarn {

// A fixed ring of events with free-running counters. The slot of a counter value is its low
// eight bits; the number queued is put minus get in wrapping 32-bit arithmetic.
class EventRing {
 public:
  static constexpr int32_t kSlots = 256;

  // start: the value both counters begin with (0 for the queue; other values let a test run
  // the counters across their wrap).
  explicit EventRing(uint32_t start = 0) : put_(start), get_(start) {}

  int32_t Count() const { return static_cast<int32_t>(put_ - get_); }
  bool IsEmpty() const { return put_ == get_; }
  bool IsFull() const { return Count() == kSlots; }

  // With merge set, the oldest queued event of the same id and the very same source takes
  // over the new event's data, mods, x, y and extra, and keeps its place; the new event is
  // not queued. Otherwise the event is appended, or dropped when the ring is full.
  // A null event is ignored.
  void Enqueue(const Ref<TEvent>& event, bool merge);
  // Takes the oldest event off the ring; the null object when the ring is empty.
  Ref<TEvent> Take();
  // The oldest event without taking it; the null object when the ring is empty.
  const Ref<TEvent>& Head() const;

 private:
  static uint32_t Slot(uint32_t counter) { return counter & (kSlots - 1); }
  bool MergeIntoQueued(const TEvent& event);

  std::array<Ref<TEvent>, kSlots> slots_;
  uint32_t put_;
  uint32_t get_;
};

// True for the four ids that merge: timer tick, gadget action, window move, window size.
bool IsMergeableEventId(int32_t id);

// Once: runtime, events, system, then the ring, the hook and the blank current event.
void InitEventQueue();

// Appends, merges or drops event (see EventRing::Enqueue).
void EnqueueEvent(const Ref<TEvent>& event, bool merge);
// The queue's function on EventHookId: queues a TEvent (merging the mergeable ids) and returns
// it unchanged; any other data is not queued and gives the null object.
Ref<Object> QueueHook(int32_t id, const Ref<Object>& data, const Ref<Object>& context);

// Takes the next event, pumping pending messages once if none is queued. With still none,
// the blank event (id 0, no source, all values 0) becomes the current event and 0 is returned.
int32_t TryTakeEvent();
// Takes the next event, sleeping in the system driver until one is queued.
int32_t AwaitEvent();
// The next event without taking it, pumping once if none is queued; the null object if there
// is still none. The current event is not changed.
Ref<TEvent> PeekQueuedEvent();

// The current event and its fields. They never block or pump.
Ref<TEvent> LastEvent();
int32_t LastEventId();
int32_t LastEventData();
int32_t LastEventMods();
int32_t LastEventX();
int32_t LastEventY();
Ref<Object> LastEventExtra();
// extra when it is a String, else the empty string.
String LastEventText();
Ref<Object> LastEventSource();
// The source's integer object handle; 0 for no source.
int32_t LastEventSourceHandle();

}  // namespace tarn
