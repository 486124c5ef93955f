// A started mixer library on a device that feeds nothing by itself: the test calls mix16, and
// the millisecond clock is the test's own.
#pragma once

#include <cstdint>
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

}  // namespace sonaflux_test
