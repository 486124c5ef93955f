// Events per second through SendEvent, the queue's hook and TryTakeEvent, with and without
// merging. Prints one line per case; takes about a second per case.
//
//   queue_benchmark [seconds per case]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "events/event_queue.h"
#include "system/system_driver.h"

namespace tarn {
namespace {

// Where no driver is installed (the host build), pumping finds nothing.
class IdleDriver : public TSystemDriver {
 public:
  void Pump() override {}
  void WaitAndPump() override {}
};

using Clock = std::chrono::steady_clock;

// Runs round() until seconds have passed; round() returns how many events it moved.
template <class Round>
void Measure(const char* name, double seconds, Round round) {
  long long events = 0;
  Clock::time_point start = Clock::now();
  Clock::time_point end =
      start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  Clock::time_point now;
  do {
    for (int i = 0; i < 64; ++i) events += round();
    now = Clock::now();
  } while (now < end);
  double elapsed = std::chrono::duration<double>(now - start).count();
  std::printf("%-52s %12.0f events/s  %7.1f ns/event\n", name, events / elapsed,
              elapsed * 1e9 / events);
}

std::vector<Ref<TEvent>> Events(int count, int32_t id, const std::vector<Ref<Object>>& sources) {
  std::vector<Ref<TEvent>> events;
  for (int i = 0; i < count; ++i)
    events.push_back(MakeEvent(id, sources[i % sources.size()], i, 0, 0, 0, Ref<Object>()));
  return events;
}

void Run(double seconds) {
  constexpr int kBatch = 200;  // below the ring's 256, so nothing is dropped
  Ref<Object> source = New<Object>();

  // Every event is queued and taken.
  std::vector<Ref<TEvent>> keys = Events(kBatch, EVENT_KEYDOWN, {source});
  Measure("no merging (key events, 200 queued per round)", seconds, [&] {
    for (const Ref<TEvent>& event : keys) SendEvent(event);
    for (int i = 0; i < kBatch; ++i) TryTakeEvent();
    return kBatch;
  });

  // Ticks of one timer: the first is queued, the others merge into it.
  std::vector<Ref<TEvent>> ticks = Events(kBatch, EVENT_TIMERTICK, {source});
  Measure("merging into one queued tick", seconds, [&] {
    for (const Ref<TEvent>& event : ticks) SendEvent(event);
    TryTakeEvent();
    return kBatch;
  });

  // The longest merge: the twin is the last of 255 queued ticks of different timers.
  std::vector<Ref<Object>> timers;
  for (int i = 0; i < 255; ++i) timers.push_back(New<Object>());
  std::vector<Ref<TEvent>> queued = Events(255, EVENT_TIMERTICK, timers);
  std::vector<Ref<TEvent>> last = Events(kBatch, EVENT_TIMERTICK, {timers.back()});
  for (const Ref<TEvent>& event : queued) SendEvent(event);
  Measure("merging past 254 queued ticks of other timers", seconds, [&] {
    for (const Ref<TEvent>& event : last) SendEvent(event);
    return kBatch;
  });
  for (int i = 0; i < 255; ++i) TryTakeEvent();

  // A take that finds nothing pumps once (with the Windows driver: PeekMessageA).
  Measure("empty TryTakeEvent, one pump each (takes/s)", seconds, [] {
    TryTakeEvent();
    return 1;
  });
}

}  // namespace
}  // namespace tarn

int main(int argc, char** argv) {
  using namespace tarn;
  double seconds = argc > 1 ? std::atof(argv[1]) : 1.0;
  if (!(seconds > 0)) seconds = 1.0;
  InitEventQueue();
  if (!systemDriver) systemDriver = New<IdleDriver>();
  Run(seconds);
  return 0;
}
