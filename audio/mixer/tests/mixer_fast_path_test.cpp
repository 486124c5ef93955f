// The fast frame loops against the plain reference loop, sample for sample, over many random
// records: rates, volumes, pans, depths, ramps, 8/16 bits, mono/stereo, looping and delays.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "audio/mixer/mix_record.h"
#include "audio/mixer/tests/mixer_fixture.h"

using namespace sonaflux;

namespace {

struct setting {
  int32_t status, rate, rateTarget, delay;
  int16_t volume, volumeTarget, pan, depth;
  uint64_t pos;
};

void prepare(sound& record, audiobuffer* buffer, const setting& s) {
  record.buffer = buffer;
  record.status.store(s.status);
  record.rate.store(s.rate);
  record.rateTarget.store(s.rateTarget);
  record.volume.store(s.volume);
  record.volumeTarget.store(s.volumeTarget);
  record.panTarget.store(s.pan);
  record.depthTarget.store(s.depth);
  record.delay = s.delay;
  record.pos.store(s.pos);
}

}  // namespace

TEST(MixerFastPathTest, FastLoopsGiveThePlainLoopsSamples) {
  sonaflux_test::started_library library(4);
  std::mt19937 random(20261211);
  auto pick = [&](int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random);
  };
  const int32_t rates[] = {8000, 11025, 22050, 44100, 48000, 96000};
  for (int trial = 0; trial < 3000; trial++) {
    int32_t bits = pick(0, 1) ? 16 : 8, channels = pick(1, 2), frames = pick(1, 60);
    std::vector<uint8_t> data(frames * channels * bits / 8);
    for (uint8_t& byte : data) byte = static_cast<uint8_t>(pick(0, 255));
    int32_t loop = pick(0, 1);
    audiobuffer* buffer =
        sonaflux_new_buffer(frames, bits, channels, rates[pick(0, 5)], data.data(), loop);
    auto fixed = [&](int32_t unity, int32_t spread) {
      return static_cast<int16_t>(pick(0, 3) == 0 ? 0 : pick(-spread, spread) + unity * pick(0, 1));
    };
    setting s;
    s.status = (loop ? STATUS_LOOPING : STATUS_ONCE) | (pick(0, 9) == 0 ? STATUS_HELD : 0);
    s.rate = pick(0, 3) == 0 ? 65536 : pick(0, 4 * 65536);
    s.rateTarget = pick(0, 1) ? s.rate : pick(0, 4 * 65536);
    s.volume = fixed(4096, 32767);
    s.volumeTarget = pick(0, 1) ? s.volume : fixed(4096, 8192);
    s.pan = fixed(0, 6000);
    s.depth = fixed(0, 4096);
    s.delay = pick(0, 2) == 0 ? pick(0, 400) : 0;
    s.pos = (static_cast<uint64_t>(pick(0, frames * channels - 1)) << 32) | pick(0, 0x7FFFFFFF);

    sound plain, fast;
    prepare(plain, buffer, s);
    prepare(fast, buffer, s);
    int32_t blockFrames = pick(1, 300);
    std::vector<int32_t> plainOut(2 * blockFrames), fastOut(2 * blockFrames);
    for (int block = 0; block < 4; block++) {
      if (block == 2) {
        plain.volumeTarget.store(s.volumeTarget / 2);
        fast.volumeTarget.store(s.volumeTarget / 2);
      }
      int32_t plainResult = mix_record_plain(&plain, plainOut.data(), blockFrames);
      int32_t fastResult = mix_record_fast(&fast, fastOut.data(), blockFrames);
      ASSERT_EQ(plainResult, fastResult) << "trial " << trial << " block " << block;
      ASSERT_EQ(plainOut, fastOut) << "trial " << trial << " block " << block;
      ASSERT_EQ(plain.pos.load(), fast.pos.load()) << "trial " << trial;
      ASSERT_EQ(plain.travelled.load(), fast.travelled.load()) << "trial " << trial;
      if (plainResult == 1) break;
    }
    plain.buffer = fast.buffer = nullptr;
    sonaflux_release_buffer(buffer);
  }
}
