// Timers with real multimedia timers and real thread messages, pumped on the test's thread.
// Every wait runs under a watchdog, so that a lost tick fails the test instead of hanging it.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "events/event_queue.h"
#include "runtime/boundary.h"
#include "system/system_driver.h"
#include "system/timer.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

// Ends the process when a test is still running after its time.
class Watchdog {
 public:
  explicit Watchdog(int seconds) : thread_([this, seconds] { Watch(seconds); }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }

 private:
  void Watch(int seconds) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (wake_.wait_for(lock, std::chrono::seconds(seconds), [this] { return done_; })) return;
    std::fprintf(stderr, "watchdog: the test still waits after %d s\n", seconds);
    std::fflush(stderr);
    ExitProcess(3);
  }
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  std::thread thread_;
};

UINT TickMessage() { return RegisterWindowMessageA("kln_timer_gktimertick"); }

class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitTimer();
    Drain();
  }
  void TearDown() override {
    for (const Ref<TTimer>& timer : started_)
      if (timer) timer->Halt();
    Drain();
  }
  Ref<TTimer> Start(float hertz, const Ref<TEvent>& event = Ref<TEvent>()) {
    Ref<TTimer> timer = StartTimer(hertz, event);
    started_.push_back(timer);
    return timer;
  }
  static void Drain() {
    while (TryTakeEvent() != 0) {
    }
  }
  // Takes events until one with this id and source arrives.
  static void AwaitEventOf(int32_t id, const Ref<Object>& source) {
    while (AwaitEvent() != id || !(LastEventSource() == source)) {
    }
  }
  // Takes every event that is there; how many were ticks of timer.
  static int TicksTakenOf(const Ref<Object>& timer) {
    int ticks = 0;
    while (TryTakeEvent() != 0)
      if (LastEventId() == EVENT_TIMERTICK && LastEventSource() == timer) ++ticks;
    return ticks;
  }

  Watchdog watchdog_{30};
  std::vector<Ref<TTimer>> started_;
};

TEST(TimerPeriod, IsAThousandByTheFrequencyInWholeMilliseconds) {
  struct Case {
    float hertz;
    int32_t period;
  } cases[] = {{3.0f, 333}, {1000.0f, 1}, {0.5f, 2000}, {7.0f, 142},   {1001.0f, 0},
               {0.0f, 0},   {-3.0f, 0},   {NAN, 0},     {INFINITY, 0}, {1e-9f, 0}};
  for (const Case& c : cases) EXPECT_EQ(TimerPeriodMs(c.hertz), c.period) << c.hertz;
}

TEST_F(TimerTest, AtThreeHertzTheNthTickCarriesNAndTheTimer) {
  Ref<TTimer> timer = Start(3.0f);
  ASSERT_TRUE(timer);
  std::vector<uint32_t> times;
  for (int32_t n = 1; n <= 5; ++n) {
    AwaitEventOf(EVENT_TIMERTICK, timer);
    times.push_back(MilliSecs());
    EXPECT_EQ(LastEventData(), n);
    EXPECT_EQ(timer->TickCount(), n);
    EXPECT_EQ(LastEventText().ToBytes(), "");
  }
  // About 333 ms apart; the bounds are wide, the benchmark prints the real period.
  double mean = (times.back() - times.front()) / 4.0;
  EXPECT_GT(mean, 200.0);
  EXPECT_LT(mean, 700.0);
}

TEST_F(TimerTest, ACustomEventIsEmittedAsTheSameObjectOnEveryTick) {
  Ref<TEvent> custom = MakeEvent(0x7001, Ref<Object>(), 42, 0, 0, 0, String("custom"));
  Ref<TTimer> timer = Start(50.0f, custom);
  ASSERT_TRUE(timer);
  for (int i = 0; i < 3; ++i) {
    int32_t id;
    while ((id = AwaitEvent()) != 0x7001)
      EXPECT_FALSE(id == EVENT_TIMERTICK && LastEventSource() == timer);
    EXPECT_EQ(LastEvent(), custom);
    EXPECT_EQ(LastEventData(), 42);
  }
  EXPECT_GE(timer->TickCount(), 3);
  timer->Halt();
  EXPECT_EQ(TicksTakenOf(timer), 0);
}

TEST_F(TimerTest, SixteenRunAtOnceAndAHaltedOneMakesRoom) {
  std::vector<Ref<TTimer>> timers;
  for (int i = 0; i < kMaxRunningTimers; ++i) {
    timers.push_back(Start(1.0f));
    ASSERT_TRUE(timers.back()) << "timer " << i + 1;
  }
  EXPECT_TRUE(StartTimer(1.0f).IsNull());
  timers[4]->Halt();
  EXPECT_EQ(timers[4]->handle, 0);
  EXPECT_TRUE(Start(1.0f));
  EXPECT_TRUE(StartTimer(1.0f).IsNull());
}

TEST_F(TimerTest, FrequenciesWithoutAPeriodStartNoTimer) {
  for (float hertz : {0.0f, -3.0f, NAN, 1001.0f, 1e-9f})
    EXPECT_TRUE(Start(hertz).IsNull()) << hertz;
}

TEST_F(TimerTest, TickMessagesStillQueuedAfterHaltFireNothing) {
  Ref<TTimer> timer = Start(100.0f);
  ASSERT_TRUE(timer);
  Sleep(150);  // ticks pile up as thread messages while nothing pumps
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, TickMessage(), TickMessage(), PM_NOREMOVE));
  EXPECT_EQ(timer->TickCount(), 0);  // looking at a tick without removing it fires nothing

  timer->Halt();
  EXPECT_EQ(TicksTakenOf(timer), 0);
  EXPECT_EQ(timer->TickCount(), 0);
  EXPECT_FALSE(PeekMessageA(&message, nullptr, TickMessage(), TickMessage(), PM_NOREMOVE));

  timer->Tick();  // a stopped timer ignores ticks and halts
  timer->Halt();
  EXPECT_EQ(timer->TickCount(), 0);
  EXPECT_EQ(timer->AwaitTicks(), 0);
}

TEST_F(TimerTest, ATickMessageReachesOnlyTheRunningTimerItNames) {
  Ref<TTimer> timer = Start(0.1f);  // a ten-second period: no tick of its own comes
  ASSERT_TRUE(timer);
  Ref<TTimer> stranger = New<TTimer>();
  stranger->handle = timer->handle;  // would count a tick if one reached it
  DWORD thread = GetCurrentThreadId();
  PostThreadMessageA(thread, TickMessage(), timer->handle,
                     reinterpret_cast<LPARAM>(stranger.Get()));
  PostThreadMessageA(thread, TickMessage(), timer->handle + 1000,
                     reinterpret_cast<LPARAM>(timer.Get()));
  EXPECT_EQ(TicksTakenOf(timer), 0);
  EXPECT_EQ(stranger->TickCount(), 0);
  EXPECT_EQ(timer->TickCount(), 0);

  PostThreadMessageA(thread, TickMessage(), timer->handle, reinterpret_cast<LPARAM>(timer.Get()));
  EXPECT_EQ(TicksTakenOf(timer), 1);
  EXPECT_EQ(timer->TickCount(), 1);
}

TEST_F(TimerTest, AwaitTicksCountsTheTicksThatPiledUp) {
  Ref<TTimer> timer = Start(10.0f);
  ASSERT_TRUE(timer);
  Sleep(450);  // about four ticks, none of them handled yet
  int32_t first = timer->AwaitTicks();
  EXPECT_GE(first, 2);
  int32_t second = timer->AwaitTicks();
  EXPECT_GE(second, 1);
  EXPECT_EQ(first + second, timer->TickCount());
  // The queue merged the piled-up ticks: few tick events, the last with the latest count.
  int32_t lastData = 0;
  int events = 0;
  while (TryTakeEvent() != 0) {
    if (LastEventId() != EVENT_TIMERTICK || !(LastEventSource() == timer)) continue;
    ++events;
    lastData = LastEventData();
  }
  EXPECT_LE(events, 2);
  EXPECT_EQ(lastData, timer->TickCount());
}

struct HaltOrder : Object {
  Ref<Object> trigger;  // the timer whose tick does it
  Ref<TTimer> victim;
};

Ref<Object> HaltOnTick(int32_t, const Ref<Object>& data, const Ref<Object>& context) {
  Ref<TEvent> event = Cast<TEvent>(data);
  Ref<HaltOrder> order = Cast<HaltOrder>(context);
  if (event && event->id == EVENT_TIMERTICK && event->source == order->trigger)
    order->victim->Halt();
  return data;
}

TEST_F(TimerTest, AwaitTicksOfATimerHaltedWhileWaitingReturnsZero) {
  Ref<HaltOrder> order = New<HaltOrder>();
  order->victim = Start(0.2f);  // five seconds to its first tick
  order->trigger = Start(20.0f);
  ASSERT_TRUE(order->victim && order->trigger);
  InsertHook(EventHookId, HaltOnTick, order, 0);
  EXPECT_EQ(order->victim->AwaitTicks(), 0);
  DeleteHook(EventHookId, HaltOnTick, order);
  EXPECT_EQ(order->victim->handle, 0);
}

Ref<Object> RaiseOnTick(int32_t, const Ref<Object>& data, const Ref<Object>& context) {
  Ref<TEvent> event = Cast<TEvent>(data);
  if (event && event->id == EVENT_TIMERTICK && event->source == context)
    Raise(String("raised by a tick hook"));
  return data;
}

TEST_F(TimerTest, WhatAnEventHookRaisesOnATickReachesTheCallerOfThePump) {
  Ref<TTimer> raising = Start(20.0f);
  ASSERT_TRUE(raising);
  InsertHook(EventHookId, RaiseOnTick, raising, 0);
  EXPECT_RAISES_TEXT(for (;;) AwaitEvent(), "raised by a tick hook");
  EXPECT_RAISES_TEXT(for (;;) raising->AwaitTicks(), "raised by a tick hook");
  DeleteHook(EventHookId, RaiseOnTick, raising);
  raising->Halt();
  EXPECT_FALSE(HasStashedException());

  // The pump is not left busy: ticks of another timer still arrive.
  Ref<TTimer> next = Start(20.0f);
  ASSERT_TRUE(next);
  EXPECT_GE(next->AwaitTicks(), 1);
}

TEST_F(TimerTest, ARunningTimerLivesWithoutReferencesAndAHaltedOneIsFreed) {
  int32_t handle = ObjectHandle(StartTimer(20.0f));
  ASSERT_NE(handle, 0);
  AwaitEventOf(EVENT_TIMERTICK, HandleObject(handle));
  EXPECT_EQ(LastEventSourceHandle(), handle);

  Ref<TTimer> timer = Cast<TTimer>(HandleObject(handle));
  ASSERT_TRUE(timer);
  timer->Halt();
  timer = Ref<TTimer>();
  Drain();  // neither a queued tick nor the current event holds it any more
  EXPECT_TRUE(HandleObject(handle).IsNull());
}

}  // namespace
}  // namespace tarn
