// The drivers with a working sound output (ALSA under Wine writing to a file, set up by ctest):
// "Sonaflux" and "Sonaflux DirectSound" open, and a started sound plays to its end.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "audio/mixer/binding/sonaflux_driver.h"
#include "audio/mixer/tests/mixer_fixture.h"

using namespace tarn;

namespace {

// Plays a tenth of a second and follows IsPlaying from true to false.
void play_to_the_end() {
  Ref<TSampleBuffer> buffer = MakeSampleBuffer(4410, 44100, PCM_MONO_S16LE);
  std::memset(buffer->pcm, 0x10, 4410 * 2);
  Ref<TSound> sound = OpenSound(buffer, 0);
  Ref<TChannel> channel = StartSound(sound, NewChannel());
  EXPECT_TRUE(IsChannelPlaying(channel));
  EXPECT_TRUE(sonaflux_test::wait_for([&] { return !IsChannelPlaying(channel); }, 10000));
  EXPECT_EQ(Cast<TSonafluxChannel>(channel)->PlayPosition(), 4410);
}

}  // namespace

TEST(SonafluxDriverCaptureTest, SonafluxAndDirectSoundOpenAndPlay) {
  InitSonafluxDrivers();
  ASSERT_TRUE(SelectAudioDriver("Sonaflux"));
  EXPECT_EQ(CurrentAudioDriver()->DriverName(), String("Sonaflux"));
  play_to_the_end();
  if (HasAudioDriver("Sonaflux DirectSound") && SelectAudioDriver("Sonaflux DirectSound")) {
    EXPECT_EQ(CurrentAudioDriver()->DriverName(), String("Sonaflux DirectSound"));
    play_to_the_end();
  }
  CloseAudioDriver();
}
