// The period and jitter of a timer: takes its tick events through the event queue for a
// while and prints how far apart they arrived, measured with the performance counter.
//
//   timer_benchmark [hertz = 3] [seconds = 30]
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "events/event_queue.h"
#include "system/system_driver.h"
#include "system/timer.h"

namespace tarn {
namespace {

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart * 1000.0 / frequency.QuadPart;
}

int Run(float hertz, double seconds) {
  Ref<TTimer> timer = StartTimer(hertz);
  if (!timer) {
    std::printf("no timer could be started at %g Hz\n", hertz);
    return 1;
  }
  std::vector<double> arrivals;
  std::vector<int32_t> counts;
  double start = NowMs();
  while (NowMs() - start < seconds * 1000.0) {
    if (AwaitEvent() != EVENT_TIMERTICK || !(LastEventSource() == timer)) continue;
    arrivals.push_back(NowMs());
    counts.push_back(LastEventData());
  }
  timer->Halt();

  int32_t nominal = TimerPeriodMs(hertz);
  std::vector<double> gaps;
  for (size_t i = 1; i < arrivals.size(); ++i) gaps.push_back(arrivals[i] - arrivals[i - 1]);
  if (gaps.empty()) {
    std::printf("fewer than two ticks in %g s\n", seconds);
    return 1;
  }
  double sum = 0, squares = 0, worst = 0;
  for (double gap : gaps) {
    sum += gap;
    worst = std::max(worst, std::fabs(gap - nominal));
  }
  double mean = sum / gaps.size();
  for (double gap : gaps) squares += (gap - mean) * (gap - mean);
  int skipped = 0;  // ticks merged into a later one before they were taken
  for (size_t i = 1; i < counts.size(); ++i) skipped += counts[i] - counts[i - 1] - 1;

  std::printf("timer at %g Hz (nominal period %d ms), %.1f s\n", hertz, nominal, seconds);
  std::printf("  tick events taken      %zu (first data %d, last %d, merged away %d)\n",
              arrivals.size(), counts.front(), counts.back(), skipped);
  std::printf("  mean period            %.3f ms\n", mean);
  std::printf("  shortest / longest gap %.3f / %.3f ms\n",
              *std::min_element(gaps.begin(), gaps.end()),
              *std::max_element(gaps.begin(), gaps.end()));
  std::printf("  jitter (std deviation) %.3f ms\n", std::sqrt(squares / gaps.size()));
  std::printf("  worst gap - nominal    %.3f ms\n", worst);
  std::printf("  drift over the run     %.3f ms (last arrival against first + n x nominal)\n",
              arrivals.back() - arrivals.front() - nominal * double(gaps.size()));
  return 0;
}

}  // namespace
}  // namespace tarn

int main(int argc, char** argv) {
  using namespace tarn;
  float hertz = argc > 1 ? static_cast<float>(std::atof(argv[1])) : 3.0f;
  double seconds = argc > 2 ? std::atof(argv[2]) : 30.0;
  if (!(seconds > 0)) seconds = 30.0;
  InitTimer();
  return Run(hertz, seconds);
}
