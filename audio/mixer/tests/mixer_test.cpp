#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "audio/mixer/mix_record.h"
#include "audio/mixer/tests/mixer_fixture.h"

using namespace sonaflux;
using sonaflux_test::fake_now;
using sonaflux_test::started_library;

namespace {

audiobuffer* mono16(std::vector<int16_t> samples, int32_t rate, int32_t loop) {
  return sonaflux_new_buffer(static_cast<int32_t>(samples.size()), 16, 1, rate, samples.data(),
                             loop);
}

audiobuffer* constant16(int16_t value, int32_t frames = 64) {
  return mono16(std::vector<int16_t>(frames, value), 44100, 1);
}

// Plays at the current time and moves the clock on by the start delay, so mixing starts with
// the next block's first frame.
sonaflux_handle play_now(audiobuffer* buffer, sonaflux_handle handle = 0, int32_t cue = 0) {
  sonaflux_handle result = sonaflux_play(buffer, cue, handle);
  fake_now += 20;
  return result;
}

std::vector<int16_t> left(const std::vector<int16_t>& out) {
  std::vector<int16_t> side;
  for (size_t i = 0; i < out.size(); i += 2) side.push_back(out[i]);
  return side;
}

std::vector<int16_t> right(const std::vector<int16_t>& out) {
  std::vector<int16_t> side;
  for (size_t i = 1; i < out.size(); i += 2) side.push_back(out[i]);
  return side;
}

std::vector<int16_t> ramp_of(int32_t count, int32_t step) {
  std::vector<int16_t> values;
  for (int32_t n = 0; n < count; n++) values.push_back(static_cast<int16_t>(n * step));
  return values;
}

}  // namespace

TEST(MixerTest, HalfRateBufferAdvancesHalfAFramePerOutputFrameAndOneAtDoubleRate) {
  started_library library(16);
  audiobuffer* buffer = mono16(ramp_of(40, 1000), 22050, 0);
  sonaflux_handle handle = sonaflux_new_channel();
  play_now(buffer, handle);
  std::vector<int16_t> out = library.mix();
  EXPECT_EQ(left(out), ramp_of(8, 500));
  EXPECT_EQ(right(out), ramp_of(8, 500));
  EXPECT_EQ(sonaflux_position(handle), 4);

  sonaflux_set_rate(handle, 2.0f);  // ramps from half a frame to one frame per output frame
  library.mix();
  out = library.mix();
  EXPECT_EQ(left(out)[1] - left(out)[0], 1000);
  EXPECT_EQ(left(out)[7] - left(out)[6], 1000);
  sonaflux_release_buffer(buffer);
}

TEST(MixerTest, EightBitAndStereoBuffersInterpolate) {
  started_library library(8);
  uint8_t eight[] = {128, 192, 255};
  audiobuffer* eightBit = sonaflux_new_buffer(3, 8, 1, 22050, eight, 0);
  play_now(eightBit);
  EXPECT_EQ(left(library.mix()), (std::vector<int16_t>{0, 8192, 16384, 24448}));
  EXPECT_EQ(left(library.mix()), (std::vector<int16_t>{32512, 32512, 0, 0}));  // guard: last frame

  int16_t frames[] = {0, 0, 1000, -1000, 2000, -2000, 3000, -3000};
  audiobuffer* stereo = sonaflux_new_buffer(4, 16, 2, 22050, frames, 0);
  play_now(stereo);
  std::vector<int16_t> out = library.mix();
  EXPECT_EQ(left(out), (std::vector<int16_t>{0, 500, 1000, 1500}));
  EXPECT_EQ(right(out), (std::vector<int16_t>{0, -500, -1000, -1500}));
  sonaflux_release_buffer(eightBit);
  sonaflux_release_buffer(stereo);
}

TEST(MixerTest, PanSilencesOneSideAndNegativeDepthInvertsTheRight) {
  struct Case {
    float pan, depth;
    int16_t left, right;
  };
  for (Case c : {Case{1.0f, 0, 0, 1000}, Case{-1.0f, 0, 1000, 0}, Case{0, -0.5f, 1000, -1000},
                 Case{0.5f, 0, 500, 1000}, Case{0, 0.5f, 1000, 1000}}) {
    started_library library(4);
    audiobuffer* buffer = constant16(1000);
    sonaflux_handle handle = sonaflux_new_channel();
    sonaflux_set_pan(handle, c.pan);
    sonaflux_set_depth(handle, c.depth);
    play_now(buffer, handle);
    EXPECT_EQ(library.mix(), (std::vector<int16_t>{c.left, c.right, c.left, c.right}))
        << "pan " << c.pan << " depth " << c.depth;
    sonaflux_release_buffer(buffer);
  }
}

TEST(MixerTest, VolumeChangeFadesOverOneBlockAndTakesEffectAtOnceWhileHeld) {
  started_library library(128);
  audiobuffer* buffer = constant16(8000);
  sonaflux_handle handle = play_now(buffer);
  EXPECT_EQ(left(library.mix()), std::vector<int16_t>(64, 8000));

  sonaflux_set_volume(handle, 0.0f);
  std::vector<int16_t> fade;
  for (int n = 0; n < 64; n++) fade.push_back(static_cast<int16_t>(8000 - 125 * n));
  std::vector<int16_t> out = library.mix();
  EXPECT_EQ(left(out), fade);
  EXPECT_EQ(right(out), fade);
  EXPECT_EQ(left(library.mix()), std::vector<int16_t>(64, 0));

  sonaflux_set_held(handle, 1);
  EXPECT_EQ(sonaflux_status(handle), STATUS_LOOPING | STATUS_HELD);
  sonaflux_set_volume(handle, 0.5f);
  int32_t positionWhileHeld = sonaflux_position(handle);
  EXPECT_EQ(left(library.mix()), std::vector<int16_t>(64, 0));
  EXPECT_EQ(sonaflux_position(handle), positionWhileHeld);
  sonaflux_set_held(handle, 0);
  EXPECT_EQ(left(library.mix()), std::vector<int16_t>(64, 4000));
  sonaflux_release_buffer(buffer);
}

TEST(MixerTest, InPhaseFullScaleSoundsAreClamped) {
  for (int16_t value : {int16_t{32767}, int16_t{-32768}}) {
    started_library library(4);
    audiobuffer* buffer = constant16(value);
    play_now(buffer);
    play_now(buffer);
    EXPECT_EQ(library.mix(), std::vector<int16_t>(4, value));
    sonaflux_release_buffer(buffer);
  }
}

TEST(MixerTest, LoopingBufferWrapsWithoutAStepAndOneShotEndsOnItsLastFrame) {
  started_library library(24);
  audiobuffer* looping = mono16({0, 1000, 2000, 3000}, 22050, 1);
  audiobuffer* once = mono16({0, 1000, 2000, 3000}, 22050, 0);
  sonaflux_handle loopHandle = sonaflux_new_channel();
  sonaflux_handle onceHandle = sonaflux_new_channel();
  play_now(looping, loopHandle);
  EXPECT_EQ(left(library.mix()),
            (std::vector<int16_t>{0, 500, 1000, 1500, 2000, 2500, 3000, 1500, 0, 500, 1000, 1500}));
  sonaflux_halt(loopHandle);

  play_now(once, onceHandle);
  EXPECT_EQ(left(library.mix()),
            (std::vector<int16_t>{0, 500, 1000, 1500, 2000, 2500, 3000, 3000, 0, 0, 0, 0}));
  EXPECT_EQ(sonaflux_status(onceHandle), STATUS_STOPPED);
  EXPECT_EQ(sonaflux_position(onceHandle), 4);
  library.mix();
  EXPECT_EQ(sonaflux_status(onceHandle), STATUS_STOPPED);  // kept while its handle names it
  sonaflux_release_buffer(looping);
  sonaflux_release_buffer(once);
}

TEST(MixerTest, SoundsStartTwentyMillisecondsAfterTheirPlayCall) {
  started_library library(2048);
  audiobuffer* buffer = constant16(1000);
  sonaflux_play(buffer, 0, 0);
  fake_now += 5;  // the pass comes 5 ms after the play: 15 ms are left, 661 frames
  std::vector<int16_t> out = left(library.mix());
  EXPECT_EQ(out[660], 0);
  EXPECT_EQ(out[661], 1000);

  sonaflux_play(buffer, 0, 0);  // a pass at the very moment of the play waits all 882 frames
  out = left(library.mix());
  EXPECT_EQ(out[881], 1000);
  EXPECT_EQ(out[882], 2000);
  sonaflux_release_buffer(buffer);
}

TEST(MixerTest, HandlesRunOutAfter4095AndStaleOnesAreIgnored) {
  started_library library(4);
  std::vector<sonaflux_handle> handles;
  for (int i = 0; i < 4095; i++) handles.push_back(sonaflux_new_channel());
  EXPECT_EQ(sonaflux_new_channel(), 0);
  for (sonaflux_handle handle : handles) EXPECT_NE(handle, 0);

  sonaflux_handle stale = handles[7];
  sonaflux_free_channel(stale);
  sonaflux_handle reused = sonaflux_new_channel();
  EXPECT_EQ(reused & 4095, stale & 4095);
  EXPECT_NE(reused, stale);
  sonaflux_set_volume(reused, 0.25f);
  audiobuffer* buffer = constant16(1000);
  play_now(buffer, reused);
  sonaflux_set_volume(stale, 1.0f);
  sonaflux_set_held(stale, 1);
  sonaflux_free_channel(stale);  // neither frees the slot's new owner
  EXPECT_EQ(sonaflux_status(stale), 0);
  EXPECT_EQ(sonaflux_status(reused), STATUS_LOOPING);
  EXPECT_EQ(library.mix(), std::vector<int16_t>(4, 250));
  sonaflux_release_buffer(buffer);
}

TEST(MixerTest, PlayingAgainOnAHandleStopsThePreviousAndTakesOverItsTargets) {
  started_library library(4);
  audiobuffer* buffer = constant16(1000);
  sonaflux_handle handle = sonaflux_new_channel();
  play_now(buffer, handle);
  sonaflux_set_volume(handle, 0.5f);
  sonaflux_set_pan(handle, 1.0f);
  sonaflux_set_rate(handle, 1.5f);
  library.mix();
  EXPECT_EQ(sonaflux_play(buffer, 0, handle), handle);
  fake_now += 20;
  EXPECT_EQ(library.mix(), (std::vector<int16_t>{0, 500, 0, 500}));  // one sound only
  EXPECT_EQ(sonaflux_status(handle), STATUS_LOOPING);
  EXPECT_EQ(count_records().playing, 1);  // the previous one was released
  sonaflux_release_buffer(buffer);
}

TEST(MixerTest, SoundWithoutHandleIsReleasedAfterItsLastFrame) {
  started_library library(8);
  audiobuffer* buffer = mono16({100, 200}, 44100, 0);
  sonaflux_handle handle = play_now(buffer);
  EXPECT_EQ(left(library.mix()), (std::vector<int16_t>{100, 200, 0, 0}));
  EXPECT_EQ(sonaflux_status(handle), STATUS_FREE);
  record_counts counts = count_records();
  EXPECT_EQ(counts.playing, 0);
  EXPECT_EQ(counts.spare, counts.allocated);
  EXPECT_EQ(sonaflux_status(handle), STATUS_STOPPED);  // a placeholder now
  sonaflux_release_buffer(buffer);
}

TEST(MixerTest, ZeroFrameBufferEndsAtOnce) {
  started_library library(8);
  for (int32_t loop : {0, 1}) {
    audiobuffer* empty = sonaflux_new_buffer(0, 16, 2, 44100, nullptr, loop);
    ASSERT_NE(empty, nullptr);
    sonaflux_handle handle = sonaflux_new_channel();
    play_now(empty, handle);
    EXPECT_EQ(library.mix(), std::vector<int16_t>(8, 0));
    EXPECT_EQ(sonaflux_status(handle), STATUS_STOPPED);
    sonaflux_halt(handle);
    library.mix();
    sonaflux_release_buffer(empty);
  }
  EXPECT_EQ(count_records().playing, 0);
}

TEST(MixerTest, OutOfRangeSettingsAreClampedToTheirFields) {
  started_library library(4);
  sonaflux_handle handle = sonaflux_new_channel();
  sound* record = record_of(handle);  // the placeholder that keeps the channel's settings
  struct Case {
    int32_t (*set)(sonaflux_handle, float);
    float value;
    int32_t expected;
  };
  for (Case c :
       {Case{sonaflux_set_volume, 10.0f, 32767}, Case{sonaflux_set_volume, -10.0f, -32768},
        Case{sonaflux_set_volume, 1.99999f, 8191}, Case{sonaflux_set_pan, 1e30f, 32767},
        Case{sonaflux_set_depth, -9.0f, -32768}, Case{sonaflux_set_rate, -1.0f, 0},
        Case{sonaflux_set_rate, 1e12f, 2147483647}, Case{sonaflux_set_rate, 0.5f, 32768}}) {
    c.set(handle, c.value);
    int32_t stored = c.set == sonaflux_set_volume  ? record->getvolume(1)
                     : c.set == sonaflux_set_pan   ? record->getpan(1)
                     : c.set == sonaflux_set_depth ? record->getdepth(1)
                                                   : record->getrate(1);
    EXPECT_EQ(stored, c.expected) << c.value;
  }
}

TEST(MixerTest, OneShotWhoseHandleWasFreedIsReleasedOnceItEnds) {
  started_library library(8);
  audiobuffer* buffer = mono16({100, 200, 300, 400, 500, 600}, 44100, 0);
  sonaflux_handle handle = sonaflux_new_channel();
  play_now(buffer, handle);
  library.mix();
  sonaflux_free_channel(handle);  // while it plays
  EXPECT_EQ(left(library.mix()), (std::vector<int16_t>{500, 600, 0, 0}));
  record_counts counts = count_records();
  EXPECT_EQ(counts.playing, 0);
  EXPECT_EQ(counts.spare, counts.allocated);
  sonaflux_release_buffer(buffer);
}

TEST(MixerTest, StartsBeyondThePendingRingAreRefusedAndNothingIsLost) {
  started_library library(4);
  audiobuffer* buffer = constant16(1);
  sonaflux_handle handle = sonaflux_new_channel();
  for (int i = 0; i < 4095; i++) ASSERT_EQ(sonaflux_play(buffer, 0, handle), handle) << i;
  EXPECT_EQ(sonaflux_play(buffer, 0, handle), 0);  // the ring is full
  EXPECT_EQ(sonaflux_play(buffer, 0, 0), 0);
  EXPECT_EQ(sonaflux_status(handle), STATUS_LOOPING);
  fake_now += 20;
  library.mix();
  record_counts counts = count_records();
  EXPECT_EQ(counts.allocated, 4095);
  EXPECT_EQ(counts.playing, 1);  // the last start; every earlier one was stopped and released
  EXPECT_EQ(counts.spare, 4094);
  EXPECT_EQ(sonaflux_play(buffer, 0, handle), handle);  // room again
  sonaflux_release_buffer(buffer);
}

TEST(MixerTest, CallsWhileStoppedDoNothing) {
  EXPECT_EQ(sonaflux_new_buffer(4, 16, 1, 44100, nullptr, 0), nullptr);
  EXPECT_EQ(sonaflux_new_channel(), 0);
  EXPECT_EQ(sonaflux_status(4097), 0);
  EXPECT_EQ(sonaflux_set_volume(4097, 1.0f), 0);
  EXPECT_EQ(sonaflux_stop(), 0);
}

TEST(MixerTest, BadBufferShapesGiveNone) {
  started_library library(4);
  EXPECT_EQ(sonaflux_new_buffer(4, 12, 1, 44100, nullptr, 0), nullptr);
  EXPECT_EQ(sonaflux_new_buffer(4, 16, 3, 44100, nullptr, 0), nullptr);
  EXPECT_EQ(sonaflux_new_buffer(4, 16, 1, 0, nullptr, 0), nullptr);
  EXPECT_EQ(sonaflux_new_buffer(-1, 16, 1, 44100, nullptr, 0), nullptr);
  EXPECT_EQ(sonaflux_new_buffer(0x7FFFFFFF, 16, 2, 44100, nullptr, 0), nullptr);
}
