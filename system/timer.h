// Timers: periodic ticks delivered as events on the main thread.
//
// A running TTimer counts ticks and emits, on each one, either a fresh EVENT_TIMERTICK (the
// timer as source, the tick count as data) or the custom event it was made with, the same
// object every time. The native half drives the operating system's periodic timers; their
// callback only posts a thread message to the main thread, and a message hook there turns each
// one into a Tick while the system driver pumps. So ticks that arrive while the main thread is
// busy pile up and fire one after another at the next pump.
//
// At most 16 timers run at once. A running timer keeps itself alive until it is halted; a
// halted timer never runs again. Everything but the operating system's callback runs on the
// main thread: the thread that started the first timer and pumps the messages.
#pragma once

#include <cstdint>

#include "events/event.h"

namespace tarn {

class TTimer : public Object {
 public:
  // ticks so far
  virtual int32_t TickCount();
  // Stops the timer for good and lets it go; nothing happens for a stopped timer.
  virtual void Halt();
  // One tick: counts it and emits the event. Called by the native half only.
  virtual void Tick();
  // Sleeps and pumps until the timer has ticked since the last call; returns how often.
  // 0 for a stopped timer, or for one halted while waiting.
  virtual int32_t AwaitTicks();

  // A running timer, or the null object when none could be started: 16 already running, or
  // a frequency that gives no period in whole milliseconds (not positive, not a number, or
  // above 1000 Hz), or the operating system refused it.
  static Ref<TTimer> Make(float hertz, const Ref<TEvent>& event);

  int32_t ticks = 0;
  int32_t waitTicks = 0;  // the value of ticks that AwaitTicks already reported
  Ref<Object> selfRef;    // the timer itself while it runs
  Ref<TEvent> event;      // custom event, or the null object for fresh tick events
  int32_t handle = 0;     // native timer id; 0 once stopped
};

// Once: runtime, events, system, event queue.
void InitTimer();

Ref<TTimer> StartTimer(float hertz, const Ref<TEvent>& event = Ref<TEvent>());
int32_t TimerTickCount(const Ref<TTimer>& timer);
int32_t AwaitTimerTicks(const Ref<TTimer>& timer);
void HaltTimer(const Ref<TTimer>& timer);

// The native half (one per platform).
constexpr int32_t kMaxRunningTimers = 16;
// The period of a frequency in whole milliseconds (1000 / hertz, truncated: 3 Hz gives 333),
// or 0 when there is none: not positive, not a number, above 1000 Hz, or too slow for 32 bits.
int32_t TimerPeriodMs(float hertz);
// Starts a periodic timer that ticks user; its native id, or 0 when it could not be started.
// user is not counted: the running timer holds itself.
int32_t StartTimerNative(float hertz, TTimer* user);
// Stops the timer with this id; an id that is not running is ignored.
void StopTimerNative(int32_t id);

}  // namespace tarn
