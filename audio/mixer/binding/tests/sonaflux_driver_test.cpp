#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "audio/mixer/binding/sonaflux_driver.h"
#include "audio/mixer/tests/mixer_fixture.h"
#include "tests/support/raises.h"

using namespace tarn;
using sonaflux_test::fake_now;

namespace {

// The library started on a device the test feeds by hand, and a Sonaflux driver to reach it
// (the library is already started, so the driver is not opened).
struct SonafluxDriverWithMixerTest : ::testing::Test {
  void SetUp() override {
    InitSonafluxDrivers();
    driver = New<TSonafluxAudioDriver>();
    driver->name = "Sonaflux Test";
  }
  std::vector<int16_t> mix() { return library.mix(); }
  Ref<TSound> sound(std::vector<int16_t> frames, int32_t format = PCM_MONO_S16LE,
                    int32_t flags = 0) {
    Ref<TSampleBuffer> buffer =
        MakeSampleBuffer(static_cast<int32_t>(frames.size()), 44100, format);
    std::memcpy(buffer->pcm, frames.data(), frames.size() * 2);
    return driver->MakeSound(buffer, flags);
  }
  sonaflux_test::started_library library{8};
  Ref<TSonafluxAudioDriver> driver;
};

}  // namespace

TEST(SonafluxDriverTest, DriversAreRegisteredInOrder) {
  InitSonafluxDrivers();
  std::vector<String> names = ListAudioDrivers();
  ASSERT_GE(names.size(), 3u);
  EXPECT_EQ(names[0], String("Sonaflux"));
  EXPECT_EQ(names[1], String("Sonaflux Multimedia"));
  // DirectSound's driver comes only where its entry point was found (not on the host).
  if (HasAudioDriver("Sonaflux DirectSound")) {
    EXPECT_EQ(names[2], String("Sonaflux DirectSound"));
  } else {
    EXPECT_EQ(names[2], String("Null"));
    EXPECT_RAISES_CLASS(DirectSoundCreateEntry(nullptr, nullptr, nullptr), TNullFunctionException);
  }
}

TEST_F(SonafluxDriverWithMixerTest, StartReturnsThePassedChannelAndIsPlayingFollowsTheSound) {
  Ref<TSound> once = sound({100, 200, 300, 400, 500, 600});
  Ref<TChannel> channel = driver->MakeChannel();
  ASSERT_TRUE(Is<TSonafluxChannel>(channel));
  EXPECT_TRUE(PrepareSound(once, channel) == channel);
  EXPECT_FALSE(IsChannelPlaying(channel));  // held
  fake_now += 20;
  EXPECT_EQ(mix(), std::vector<int16_t>(8, 0));
  ContinueChannel(channel);
  EXPECT_TRUE(IsChannelPlaying(channel));
  EXPECT_EQ(mix(), (std::vector<int16_t>{100, 100, 200, 200, 300, 300, 400, 400}));
  mix();
  EXPECT_FALSE(IsChannelPlaying(channel));  // ended
  EXPECT_EQ(Cast<TSonafluxChannel>(channel)->PlayPosition(), 6);

  EXPECT_TRUE(StartSound(once, channel) == channel);
  HaltChannel(channel);
  EXPECT_FALSE(IsChannelPlaying(channel));
  ChangeChannelVolume(channel, 0.5f);  // acts on handle 0: nothing
  EXPECT_EQ(Cast<TSonafluxChannel>(channel)->handle, 0);
}

TEST_F(SonafluxDriverWithMixerTest, BigEndianBuffersPlayAsTheirLittleEndianConversion) {
  Ref<TSound> little = sound({0x0102, 0x0304}, PCM_MONO_S16LE);
  Ref<TSound> big = sound({0x0201, 0x0403}, PCM_MONO_S16BE);
  StartSound(little);
  fake_now += 20;
  std::vector<int16_t> expected = mix();
  mix();
  StartSound(big);
  fake_now += 20;
  EXPECT_EQ(mix(), expected);
  EXPECT_EQ(expected[0], 0x0102);
}

TEST_F(SonafluxDriverWithMixerTest,
       ForeignChannelsEmptyFormatsAndAStoppedLibraryGiveTheNullObject) {
  Ref<TSound> sound1 = sound({1, 2});
  EXPECT_TRUE(sound1->Start(New<TChannel>()).IsNull());  // a channel of another driver
  EXPECT_TRUE(driver->MakeSound(MakeSampleBuffer(4, 44100, PCM_NONE), 0).IsNull());
  Ref<TChannel> channel = driver->MakeChannel();
  sonaflux_stop();
  EXPECT_TRUE(sound1->Start(nullptr).IsNull());
  EXPECT_TRUE(sound1->Start(channel) == channel);
  EXPECT_TRUE(driver->MakeChannel().IsNull());
}
