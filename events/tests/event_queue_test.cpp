// The event queue over a scripted system driver that stands in for the message pump: each
// pump emits the next batch of the script, as a real pump makes the sources emit.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "events/event_queue.h"
#include "system/system_driver.h"
#include "tests/support/raises.h"

// Counts allocations made through operator new, to show that posting and taking allocate
// nothing. Memory still comes from malloc, so the sanitizers keep watching it.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<long> allocations{0};
}
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace tarn {
namespace {

class ScriptedDriver : public TSystemDriver {
 public:
  std::vector<std::vector<Ref<TEvent>>> script;  // what each further pump emits, in order
  int pumps = 0;
  int waits = 0;

  void Pump() override {
    ++pumps;
    EmitNextBatch();
  }
  void WaitAndPump() override {
    ++waits;
    // Nothing scripted means nothing would ever arrive: fail instead of hanging.
    if (script.empty()) RaiseRuntimeError("waited with nothing to come");
    EmitNextBatch();
  }

 private:
  void EmitNextBatch() {
    if (script.empty()) return;
    std::vector<Ref<TEvent>> batch = std::move(script.front());
    script.erase(script.begin());
    for (const Ref<TEvent>& event : batch) SendEvent(event);
  }
};

class EventQueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEventQueue();
    saved_ = systemDriver;
    driver_ = New<ScriptedDriver>();
    systemDriver = driver_;
    while (TryTakeEvent() != 0) {
    }
    driver_->pumps = 0;
  }
  void TearDown() override { systemDriver = saved_; }

  static Ref<TEvent> Event(int32_t id, const Ref<Object>& source = Ref<Object>(),
                           int32_t data = 0) {
    return MakeEvent(id, source, data, 0, 0, 0, Ref<Object>());
  }
  static void Send(int32_t id, const Ref<Object>& source = Ref<Object>(), int32_t data = 0) {
    SendEvent(Event(id, source, data));
  }

  Ref<ScriptedDriver> driver_;
  Ref<TSystemDriver> saved_;
};

struct Sent {
  int32_t id;
  int source;  // 0 no source, 1 object A, 2 object B
  int32_t data;
};

TEST_F(EventQueueTest, MergesOnlyTheFourIdsAndOnlyWithTheSameSource) {
  struct Case {
    const char* name;
    std::vector<Sent> sent;
    std::vector<Sent> queued;
  } cases[] = {
      {"two ticks of one timer",
       {{EVENT_TIMERTICK, 1, 1}, {EVENT_TIMERTICK, 1, 2}},
       {{EVENT_TIMERTICK, 1, 2}}},
      {"moves of two windows",
       {{EVENT_WINDOWMOVE, 1, 10}, {EVENT_WINDOWMOVE, 2, 20}},
       {{EVENT_WINDOWMOVE, 1, 10}, {EVENT_WINDOWMOVE, 2, 20}}},
      {"action, key, action",
       {{EVENT_GADGETACTION, 1, 1}, {EVENT_KEYDOWN, 1, 65}, {EVENT_GADGETACTION, 1, 2}},
       {{EVENT_GADGETACTION, 1, 2}, {EVENT_KEYDOWN, 1, 65}}},
      {"keys never merge",
       {{EVENT_KEYDOWN, 1, 65}, {EVENT_KEYDOWN, 1, 66}},
       {{EVENT_KEYDOWN, 1, 65}, {EVENT_KEYDOWN, 1, 66}}},
      {"menu actions never merge",
       {{EVENT_MENUACTION, 1, 1}, {EVENT_MENUACTION, 1, 2}},
       {{EVENT_MENUACTION, 1, 1}, {EVENT_MENUACTION, 1, 2}}},
      {"no source is one and the same source",
       {{EVENT_WINDOWSIZE, 0, 1}, {EVENT_WINDOWSIZE, 0, 2}},
       {{EVENT_WINDOWSIZE, 0, 2}}},
      {"move and size of one window",
       {{EVENT_WINDOWMOVE, 1, 1}, {EVENT_WINDOWSIZE, 1, 2}},
       {{EVENT_WINDOWMOVE, 1, 1}, {EVENT_WINDOWSIZE, 1, 2}}},
      {"a source and no source",
       {{EVENT_TIMERTICK, 1, 1}, {EVENT_TIMERTICK, 0, 2}},
       {{EVENT_TIMERTICK, 1, 1}, {EVENT_TIMERTICK, 0, 2}}},
      {"the oldest twin takes the values",
       {{EVENT_GADGETACTION, 1, 1}, {EVENT_GADGETACTION, 2, 5}, {EVENT_GADGETACTION, 1, 3}},
       {{EVENT_GADGETACTION, 1, 3}, {EVENT_GADGETACTION, 2, 5}}},
  };
  Ref<Object> sources[] = {Ref<Object>(), New<Object>(), New<Object>()};
  for (const Case& c : cases) {
    for (const Sent& s : c.sent) Send(s.id, sources[s.source], s.data);
    std::vector<Sent> taken;
    while (TryTakeEvent() != 0) {
      int source = LastEventSource() == sources[1] ? 1 : LastEventSource() == sources[2] ? 2 : 0;
      EXPECT_TRUE(source != 0 || LastEventSource().IsNull()) << c.name;
      taken.push_back({LastEventId(), source, LastEventData()});
    }
    ASSERT_EQ(taken.size(), c.queued.size()) << c.name;
    for (size_t i = 0; i < taken.size(); ++i) {
      EXPECT_EQ(taken[i].id, c.queued[i].id) << c.name << ", event " << i;
      EXPECT_EQ(taken[i].source, c.queued[i].source) << c.name << ", event " << i;
      EXPECT_EQ(taken[i].data, c.queued[i].data) << c.name << ", event " << i;
    }
  }
}

TEST_F(EventQueueTest, AMergeOverwritesTheValuesOfTheQueuedRecord) {
  Ref<Object> window = New<Object>();
  Ref<TEvent> first = MakeEvent(EVENT_WINDOWMOVE, window, 1, 2, 3, 4, String("old"));
  Ref<TEvent> second = MakeEvent(EVENT_WINDOWMOVE, window, 10, 20, -30, -40, String("new"));
  SendEvent(first);
  SendEvent(second);
  ASSERT_EQ(TryTakeEvent(), EVENT_WINDOWMOVE);
  EXPECT_EQ(LastEvent(), first);  // the queued record, not the newer one
  EXPECT_EQ(LastEventSource(), window);
  EXPECT_EQ(LastEventData(), 10);
  EXPECT_EQ(LastEventMods(), 20);
  EXPECT_EQ(LastEventX(), -30);
  EXPECT_EQ(LastEventY(), -40);
  EXPECT_EQ(LastEventText().ToBytes(), "new");
  EXPECT_EQ(TryTakeEvent(), 0);
}

TEST_F(EventQueueTest, AMergeableEventWhoseTwinWasTakenIsQueuedAnew) {
  Ref<Object> timer = New<Object>();
  Send(EVENT_TIMERTICK, timer, 1);
  ASSERT_EQ(TryTakeEvent(), EVENT_TIMERTICK);
  Ref<TEvent> taken = LastEvent();
  Ref<TEvent> next = Event(EVENT_TIMERTICK, timer, 2);
  SendEvent(next);
  EXPECT_EQ(taken->data, 1);  // the current event is not merged into
  ASSERT_EQ(TryTakeEvent(), EVENT_TIMERTICK);
  EXPECT_EQ(LastEvent(), next);
  EXPECT_EQ(LastEventData(), 2);
}

TEST_F(EventQueueTest, AFullQueueDropsNewEventsButStillMergesAndYieldsItsEventsInOrder) {
  Ref<Object> timer = New<Object>();
  for (int32_t i = 0; i < 255; ++i) Send(EVENT_KEYDOWN, Ref<Object>(), i);
  Send(EVENT_TIMERTICK, timer, 1);            // the 256th
  Send(EVENT_KEYUP, Ref<Object>(), 999);      // lost
  Send(EVENT_TIMERTICK, New<Object>(), 999);  // mergeable, but no twin: lost
  Send(EVENT_TIMERTICK, timer, 2);            // merges into the 256th
  for (int32_t i = 0; i < 255; ++i) {
    ASSERT_EQ(TryTakeEvent(), EVENT_KEYDOWN) << i;
    EXPECT_EQ(LastEventData(), i);
  }
  ASSERT_EQ(TryTakeEvent(), EVENT_TIMERTICK);
  EXPECT_EQ(LastEventSource(), timer);
  EXPECT_EQ(LastEventData(), 2);
  EXPECT_EQ(TryTakeEvent(), 0);
  EXPECT_EQ(driver_->waits, 0);
}

TEST(EventRing, CountsAcrossTheWrapOfItsCounters) {
  InitEvents();
  EventRing ring(0xFFFFFF80u);
  Ref<Object> timer = New<Object>();
  for (int32_t i = 0; i < 256; ++i)
    ring.Enqueue(
        MakeEvent(i == 200 ? EVENT_TIMERTICK : EVENT_KEYDOWN, timer, i, 0, 0, 0, Ref<Object>()),
        false);
  EXPECT_EQ(ring.Count(), 256);
  EXPECT_TRUE(ring.IsFull());
  ring.Enqueue(MakeEvent(EVENT_KEYDOWN, timer, 999, 0, 0, 0, Ref<Object>()), false);
  ring.Enqueue(MakeEvent(EVENT_TIMERTICK, timer, 1000, 0, 0, 0, Ref<Object>()), true);
  EXPECT_EQ(ring.Count(), 256);
  for (int32_t i = 0; i < 256; ++i) {
    Ref<TEvent> event = ring.Take();
    ASSERT_TRUE(event) << i;
    EXPECT_EQ(event->data, i == 200 ? 1000 : i);
    EXPECT_EQ(ring.Count(), 255 - i);
  }
  EXPECT_TRUE(ring.IsEmpty());
  EXPECT_TRUE(ring.Take().IsNull());
  EXPECT_TRUE(ring.Head().IsNull());
  ring.Enqueue(Ref<TEvent>(), false);  // a null event is not queued
  EXPECT_TRUE(ring.IsEmpty());
}

TEST_F(EventQueueTest, TryTakeOnAnEmptyQueuePumpsOnceAndLeavesTheBlankEvent) {
  Send(EVENT_KEYDOWN, New<Object>(), 65);
  ASSERT_EQ(TryTakeEvent(), EVENT_KEYDOWN);
  EXPECT_EQ(driver_->pumps, 0);  // something was queued: no pumping

  EXPECT_EQ(TryTakeEvent(), 0);
  EXPECT_EQ(driver_->pumps, 1);
  EXPECT_EQ(LastEventId(), 0);
  EXPECT_TRUE(LastEventSource().IsNull());
  EXPECT_EQ(LastEventSourceHandle(), 0);
  EXPECT_TRUE(LastEventText().IsEmpty());
  EXPECT_TRUE(LastEventExtra().IsNull());
  EXPECT_EQ(LastEventData(), 0);
  EXPECT_EQ(LastEventMods() | LastEventX() | LastEventY(), 0);
}

TEST_F(EventQueueTest, TakingPumpsTheDriverForEventsWhenNoneIsQueued) {
  Ref<TEvent> key = Event(EVENT_KEYCHAR, Ref<Object>(), 97);
  driver_->script = {{key}};
  EXPECT_EQ(TryTakeEvent(), EVENT_KEYCHAR);
  EXPECT_EQ(LastEvent(), key);
  EXPECT_EQ(driver_->pumps, 1);

  // AwaitEvent waits as often as it takes for something to arrive.
  Ref<TEvent> close = Event(EVENT_WINDOWCLOSE, New<Object>());
  driver_->script = {{}, {}, {close}};
  EXPECT_EQ(AwaitEvent(), EVENT_WINDOWCLOSE);
  EXPECT_EQ(LastEvent(), close);
  EXPECT_EQ(driver_->waits, 3);

  Send(EVENT_KEYUP);
  EXPECT_EQ(AwaitEvent(), EVENT_KEYUP);
  EXPECT_EQ(driver_->waits, 3);  // one was queued: no waiting
}

TEST_F(EventQueueTest, PeekShowsWhatAwaitTakesNextAndLeavesTheCurrentEvent) {
  Send(EVENT_KEYDOWN, Ref<Object>(), 1);
  ASSERT_EQ(TryTakeEvent(), EVENT_KEYDOWN);
  Ref<TEvent> current = LastEvent();

  EXPECT_TRUE(PeekQueuedEvent().IsNull());
  EXPECT_EQ(driver_->pumps, 1);
  Ref<TEvent> pumped = Event(EVENT_MOUSEDOWN, Ref<Object>(), 2);
  driver_->script = {{pumped}};
  EXPECT_EQ(PeekQueuedEvent(), pumped);
  EXPECT_EQ(PeekQueuedEvent(), pumped);
  EXPECT_EQ(driver_->pumps, 2);
  EXPECT_EQ(LastEvent(), current);
  EXPECT_EQ(AwaitEvent(), EVENT_MOUSEDOWN);
  EXPECT_EQ(LastEvent(), pumped);
}

TEST_F(EventQueueTest, AccessorsReadTheCurrentEvent) {
  Ref<Object> gadget = New<Object>();
  Ref<Object> notText = New<Object>();
  SendEvent(MakeEvent(EVENT_GADGETMENU, gadget, 7, 3, 11, -12, String("abc")));
  SendEvent(MakeEvent(EVENT_GADGETSELECT, gadget, 0, 0, 0, 0, notText));

  ASSERT_EQ(TryTakeEvent(), EVENT_GADGETMENU);
  EXPECT_EQ(LastEventSource(), gadget);
  EXPECT_EQ(LastEventSourceHandle(), ObjectHandle(gadget));
  EXPECT_EQ(HandleObject(LastEventSourceHandle()), gadget);
  EXPECT_EQ(LastEventData(), 7);
  EXPECT_EQ(LastEventMods(), 3);
  EXPECT_EQ(LastEventX(), 11);
  EXPECT_EQ(LastEventY(), -12);
  EXPECT_EQ(LastEventText().ToBytes(), "abc");

  ASSERT_EQ(TryTakeEvent(), EVENT_GADGETSELECT);
  EXPECT_EQ(LastEventExtra(), notText);
  EXPECT_TRUE(LastEventText().IsEmpty());
}

Ref<Object> RecordLowerHook(int32_t, const Ref<Object>& data, const Ref<Object>& context) {
  Cast<TEvent>(context)->extra = data;  // the context records what reached it
  return data;
}

TEST_F(EventQueueTest, TheHookQueuesOnlyEventsAndPassesThemOn) {
  Ref<TEvent> recorder = New<TEvent>();
  InsertHook(EventHookId, RecordLowerHook, recorder, -20000);

  Ref<TEvent> key = Event(EVENT_KEYDOWN);
  EXPECT_EQ(CallHooks(EventHookId, key), key);
  EXPECT_EQ(recorder->extra, key);  // a lower hook still sees the event

  Ref<Object> text = String("not an event");
  EXPECT_TRUE(CallHooks(EventHookId, text).IsNull());
  EXPECT_TRUE(recorder->extra.IsNull());
  EXPECT_TRUE(QueueHook(EventHookId, Ref<Object>(), Ref<Object>()).IsNull());
  DeleteHook(EventHookId, RecordLowerHook, recorder);

  EXPECT_EQ(TryTakeEvent(), EVENT_KEYDOWN);
  EXPECT_EQ(TryTakeEvent(), 0);

  EnqueueEvent(Ref<TEvent>(), true);  // a null event is ignored
  EXPECT_EQ(TryTakeEvent(), 0);
}

TEST_F(EventQueueTest, WhatTheDriverRaisesWhilePumpingReachesTheTaker) {
  struct RaisingDriver : TSystemDriver {
    void Pump() override { Raise(String("raised while pumping")); }
    void WaitAndPump() override { Raise(String("raised while waiting")); }
  };
  systemDriver = New<RaisingDriver>();
  EXPECT_RAISES_TEXT(TryTakeEvent(), "raised while pumping");
  EXPECT_RAISES_TEXT(AwaitEvent(), "raised while waiting");
  // The pump is not left marked busy.
  EXPECT_RAISES_TEXT(PeekQueuedEvent(), "raised while pumping");
}

TEST_F(EventQueueTest, PostingAndTakingAllocateNothing) {
  Ref<Object> timer = New<Object>();
  std::vector<Ref<TEvent>> events;
  for (int32_t i = 0; i < 300; ++i)
    events.push_back(Event(i % 3 == 0 ? EVENT_TIMERTICK : EVENT_KEYDOWN, timer, i));
  long before = allocations.load();
  for (int round = 0; round < 3; ++round) {
    for (const Ref<TEvent>& event : events) SendEvent(event);
    while (TryTakeEvent() != 0) {
    }
  }
  EXPECT_EQ(allocations.load() - before, 0);
}

}  // namespace
}  // namespace tarn
