// A started mixer library on a device that feeds nothing by itself: the test calls mix16, and
// the millisecond clock is the test's own.
#pragma once

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "audio/mixer/mixer_internal.h"

namespace sonaflux_test {

inline uint32_t fake_now = 1000;
inline uint32_t fake_clock() { return fake_now; }

class test_device : public sonaflux::audiodevice {
 public:
  explicit test_device(int32_t samples) : samples_(samples) {}
  int32_t open() override {
    mix = new sonaflux::mixer(samples_);
    mix->rate = 44100;
    mix->channels = 2;
    return 0;
  }
  void close() override {}

 private:
  int32_t samples_;
};

// Starts the library with a block of `samples` output samples; stops it at the end.
struct started_library {
  explicit started_library(int32_t samples = 128) {
    fake_now = 1000;
    sonaflux::set_clock(fake_clock);
    device = new test_device(samples);
    sonaflux_start(device);
  }
  ~started_library() {
    sonaflux_stop();
    sonaflux::set_clock(nullptr);
  }
  // The next `samples` output samples (0: one whole block).
  std::vector<int16_t> mix(int32_t samples = 0) {
    std::vector<int16_t> out(samples ? samples : device->mix->accumulatorSize);
    sonaflux::mix16(device->mix, out.data(), samples);
    return out;
  }
  test_device* device;
};

// Polls `done` every 20 ms until it holds (true) or `milliseconds` have passed (false).
template <class Condition>
bool wait_for(Condition done, int milliseconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace sonaflux_test
