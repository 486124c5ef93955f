// On a machine without a sound device: the Sonaflux drivers cannot open and "Null" stays.
#include <gtest/gtest.h>

#include "audio/mixer/binding/sonaflux_driver.h"

using namespace tarn;

TEST(SonafluxDriverWindowsTest, WithoutASoundDeviceSonafluxFailsAndNullIsCurrent) {
  InitSonafluxDrivers();
  EXPECT_TRUE(HasAudioDriver("Sonaflux Multimedia"));
  EXPECT_FALSE(SelectAudioDriver("Sonaflux"));
  EXPECT_EQ(CurrentAudioDriver()->DriverName(), String("Null"));
  EXPECT_FALSE(SelectAudioDriver("Sonaflux Multimedia"));
  Ref<TSound> sound = OpenSound(MakeSampleBuffer(10, 44100, PCM_MONO_S16LE), 0);
  EXPECT_FALSE(IsChannelPlaying(StartSound(sound)));
}
