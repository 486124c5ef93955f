// The output devices on the machine as it is: without a sound device waveOut fails to open and
// leaves the library stopped; DirectSound either opens, plays and closes, or fails cleanly.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "audio/mixer/sonaflux.h"
#include "audio/mixer/tests/mixer_fixture.h"

TEST(SonafluxDevicesTest, WaveOutWithoutASoundDeviceFailsAndLeavesTheLibraryStopped) {
  ASSERT_EQ(sonaflux_start(sonaflux_new_waveout_device()), -1);
  EXPECT_EQ(sonaflux_new_buffer(4, 16, 1, 44100, nullptr, 0), nullptr);
  EXPECT_EQ(sonaflux_new_channel(), 0);
  EXPECT_EQ(sonaflux_stop(), 0);
}

TEST(SonafluxDevicesTest, DirectSoundPlaysAndClosesOrFailsCleanly) {
  if (sonaflux_start(sonaflux_new_dsound_device()) != 0) {
    EXPECT_EQ(sonaflux_new_buffer(4, 16, 1, 44100, nullptr, 0), nullptr);
    GTEST_SKIP() << "DirectSound cannot open here";
  }
  std::vector<int16_t> samples(4410, 1000);
  sonaflux::audiobuffer* buffer = sonaflux_new_buffer(4410, 16, 1, 44100, samples.data(), 0);
  sonaflux_handle handle = sonaflux_new_channel();
  ASSERT_EQ(sonaflux_play(buffer, 0, handle), handle);
  EXPECT_TRUE(sonaflux_test::wait_for(
      [&] { return sonaflux_status(handle) == sonaflux::STATUS_STOPPED; }, 5000));
  EXPECT_EQ(sonaflux_position(handle), 4410);
  sonaflux_release_buffer(buffer);
  EXPECT_EQ(sonaflux_stop(), 0);
}
