#include "events/event_queue.h"

#include <utility>

#include "system/system_driver.h"

namespace tarn {

void EventRing::Enqueue(const Ref<TEvent>& event, bool merge) {
  if (!event) return;
  if (merge && MergeIntoQueued(*event)) return;
  if (IsFull()) return;  // dropped without a report: a flood must not grow the queue
  slots_[Slot(put_)] = event;
  ++put_;
}

bool EventRing::MergeIntoQueued(const TEvent& event) {
  for (uint32_t counter = get_; counter != put_; ++counter) {
    TEvent& queued = *slots_[Slot(counter)];
    if (queued.id != event.id || !(queued.source == event.source)) continue;
    queued.data = event.data;
    queued.mods = event.mods;
    queued.x = event.x;
    queued.y = event.y;
    queued.extra = event.extra;
    return true;
  }
  return false;
}

Ref<TEvent> EventRing::Take() {
  if (IsEmpty()) return Ref<TEvent>();
  Ref<TEvent> event = std::move(slots_[Slot(get_)]);  // leaves the slot empty
  ++get_;
  return event;
}

const Ref<TEvent>& EventRing::Head() const {
  static const Ref<TEvent> none;
  return IsEmpty() ? none : slots_[Slot(get_)];
}

bool IsMergeableEventId(int32_t id) {
  return id == EVENT_TIMERTICK || id == EVENT_GADGETACTION || id == EVENT_WINDOWMOVE ||
         id == EVENT_WINDOWSIZE;
}

namespace {

struct QueueState {
  EventRing ring;
  Ref<TEvent> blank;    // stands for "no event"; current after a TryTakeEvent that found none
  Ref<TEvent> current;  // the event taken last
};

// Lives for the whole process, so that nothing is torn down under exit handlers.
QueueState* queue = nullptr;

QueueState& Queue() {
  if (!queue) InitEventQueue();
  return *queue;
}

int32_t TakeQueued() {
  QueueState& state = Queue();
  state.current = state.ring.Take();
  return state.current->id;
}

}  // namespace

void InitEventQueue() {
  static bool started = false;
  if (started) return;
  started = true;
  InitRuntime();
  InitEvents();
  InitSystem();
  queue = new QueueState();
  InsertHook(EventHookId, QueueHook, Ref<Object>(), -10000);
  queue->blank = New<TEvent>();
  queue->current = queue->blank;
}

void EnqueueEvent(const Ref<TEvent>& event, bool merge) { Queue().ring.Enqueue(event, merge); }

Ref<Object> QueueHook(int32_t, const Ref<Object>& data, const Ref<Object>&) {
  TEvent* event = dynamic_cast<TEvent*>(data.Get());
  if (!event) return Ref<Object>();
  Queue().ring.Enqueue(Ref<TEvent>(event), IsMergeableEventId(event->id));
  return data;
}

int32_t TryTakeEvent() {
  QueueState& state = Queue();
  if (state.ring.IsEmpty()) PumpMessages();
  if (state.ring.IsEmpty()) {
    state.current = state.blank;
    return 0;
  }
  return TakeQueued();
}

int32_t AwaitEvent() {
  QueueState& state = Queue();
  while (state.ring.IsEmpty()) AwaitMessages();
  return TakeQueued();
}

Ref<TEvent> PeekQueuedEvent() {
  QueueState& state = Queue();
  if (state.ring.IsEmpty()) PumpMessages();
  return state.ring.Head();
}

Ref<TEvent> LastEvent() { return Queue().current; }
int32_t LastEventId() { return Queue().current->id; }
int32_t LastEventData() { return Queue().current->data; }
int32_t LastEventMods() { return Queue().current->mods; }
int32_t LastEventX() { return Queue().current->x; }
int32_t LastEventY() { return Queue().current->y; }
Ref<Object> LastEventExtra() { return Queue().current->extra; }
String LastEventText() { return String::FromObject(Queue().current->extra); }
Ref<Object> LastEventSource() { return Queue().current->source; }
int32_t LastEventSourceHandle() { return ObjectHandle(Queue().current->source); }

}  // namespace tarn
