#include "system/timer.h"

#include <utility>

#include "events/event_queue.h"
#include "system/system_driver.h"

namespace tarn {

namespace {
// Counts wrap at 32 bits instead of overflowing.
int32_t WrappingAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t WrappingSub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
}  // namespace

void InitTimer() {
  static bool started = false;
  if (started) return;
  started = true;
  InitRuntime();
  InitEvents();
  InitSystem();
  InitEventQueue();
}

int32_t TTimer::TickCount() { return ticks; }

void TTimer::Halt() {
  if (handle == 0) return;
  int32_t id = handle;
  handle = 0;
  event = Ref<TEvent>();
  StopTimerNative(id);
  // Letting go of ourselves may free this timer: it is the last thing done here.
  Ref<Object> self = std::move(selfRef);
}

void TTimer::Tick() {
  if (handle == 0) return;
  ticks = WrappingAdd(ticks, 1);
  Ref<TTimer> keep(this);  // a hook may halt the timer, and so let it go, while it emits
  if (event) {
    Ref<TEvent> custom = event;
    SendEvent(custom);
  } else {
    SendEvent(MakeEvent(EVENT_TIMERTICK, keep, ticks, 0, 0, 0, Ref<Object>()));
  }
}

int32_t TTimer::AwaitTicks() {
  if (handle == 0) return 0;
  Ref<TTimer> keep(this);
  int32_t count;
  do {
    AwaitMessages();  // sleeps until a message arrives, then runs the pending ticks
    count = WrappingSub(ticks, waitTicks);
  } while (count == 0 && handle != 0);  // a timer halted meanwhile would never tick again
  waitTicks = WrappingAdd(waitTicks, count);
  return count;
}

Ref<TTimer> TTimer::Make(float hertz, const Ref<TEvent>& event) {
  Ref<TTimer> timer = New<TTimer>();
  int32_t id = StartTimerNative(hertz, timer.Get());
  if (id == 0) return Ref<TTimer>();
  timer->selfRef = timer;
  timer->event = event;
  timer->handle = id;
  return timer;
}

Ref<TTimer> StartTimer(float hertz, const Ref<TEvent>& event) { return TTimer::Make(hertz, event); }
int32_t TimerTickCount(const Ref<TTimer>& timer) { return timer->TickCount(); }
int32_t AwaitTimerTicks(const Ref<TTimer>& timer) { return timer->AwaitTicks(); }
void HaltTimer(const Ref<TTimer>& timer) { timer->Halt(); }

int32_t TimerPeriodMs(float hertz) {
  if (!(hertz > 0.0f)) return 0;  // also catches not-a-number
  double period = 1000.0 / static_cast<double>(hertz);
  if (!(period < 2147483648.0)) return 0;
  return static_cast<int32_t>(period);  // truncated toward zero; 0 above 1000 Hz
}

}  // namespace tarn
