#include "audio/audio.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "audio/tests/wav_fixtures.h"
#include "stream/tests/test_streams.h"
#include "system/startup.h"
#include "tests/support/child_process.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

using testing::ScratchDir;
using testing::Wav;
using testing::WriteFile;

class TRecordingDriver : public TAudioDriver {
 public:
  explicit TRecordingDriver(String name, bool opens) : name(std::move(name)), opens(opens) {}
  String DriverName() override { return name; }
  bool Open() override {
    ++openCalls;
    return opens;
  }
  bool Close() override {
    ++closeCalls;
    if (reportClose) std::printf("closed %s\n", name.ToBytes().c_str());
    return false;
  }
  Ref<TSound> MakeSound(const Ref<TSampleBuffer>& buffer, int32_t flags) override {
    lastBuffer = buffer;
    lastFlags = flags;
    return TAudioDriver::MakeSound(buffer, flags);
  }
  String name;
  bool opens;
  int openCalls = 0;
  int closeCalls = 0;
  bool reportClose = false;
  Ref<TSampleBuffer> lastBuffer;
  int32_t lastFlags = -1;
};

class TCountingLoader : public TSampleBufferLoader {
 public:
  Ref<TSampleBuffer> TryLoad(const Ref<TStream>&) override {
    ++calls;
    return nullptr;
  }
  int calls = 0;
};

struct Drivers {
  Ref<TRecordingDriver> broken;    // its Open fails
  Ref<TRecordingDriver> sonaflux;  // the name the front end chooses by default
  Ref<TCountingLoader> loader;
};

Drivers& Fixtures() {
  static Drivers* drivers = [] {
    InitAudio();
    auto* made = new Drivers{New<TRecordingDriver>("Broken", false),
                             New<TRecordingDriver>("Sonaflux", true), New<TCountingLoader>()};
    return made;
  }();
  drivers->sonaflux->opens = true;
  CloseAudioDriver();  // every test starts with no driver chosen
  return *drivers;
}

TEST(AudioDrivers, ListsNewestFirstAndFindsNamesInAnyCase) {
  Fixtures();
  std::vector<String> names = ListAudioDrivers();
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], String("Sonaflux"));
  EXPECT_EQ(names[1], String("Broken"));
  EXPECT_EQ(names[2], String("Null"));
  EXPECT_TRUE(HasAudioDriver("null"));
  EXPECT_TRUE(HasAudioDriver("SONAFLUX"));
  EXPECT_FALSE(HasAudioDriver("Sonaflux DirectSound"));
}

TEST(AudioDrivers, DefaultIsSonafluxElseNull) {
  Drivers& drivers = Fixtures();
  EXPECT_EQ(CurrentAudioDriver(), drivers.sonaflux);
  EXPECT_EQ(CurrentAudioDriver(), drivers.sonaflux);  // chosen once

  Fixtures().sonaflux->opens = false;
  EXPECT_EQ(CurrentAudioDriver()->DriverName(), String("Null"));
}

TEST(AudioDrivers, SelectionClosesTheCurrentDriverAndFallsBackToNull) {
  Drivers& drivers = Fixtures();
  struct Case {
    const char* name;
    bool selected;
    const char* current;
  };
  const Case cases[] = {
      {"SonaFLUX", true, "Sonaflux"}, {"No Such Driver", false, "Null"},
      {"sonaflux", true, "Sonaflux"}, {"broken", false, "Null"},
      {"NULL", true, "Null"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool wasSonaflux = CurrentAudioDriver() == drivers.sonaflux;
    int closes = drivers.sonaflux->closeCalls;
    EXPECT_EQ(SelectAudioDriver(c.name), c.selected);
    EXPECT_EQ(CurrentAudioDriver()->DriverName(), String(c.current));
    EXPECT_EQ(drivers.sonaflux->closeCalls, closes + (wasSonaflux ? 1 : 0));
  }
  EXPECT_GE(drivers.broken->openCalls, 1);
}

TEST(AudioDrivers, ExitRoutineClosesTheCurrentDriverOnce) {
  Drivers& drivers = Fixtures();
  ASSERT_TRUE(SelectAudioDriver("Sonaflux"));
  int closes = drivers.sonaflux->closeCalls;
  CloseAudioDriver();
  CloseAudioDriver();
  EXPECT_EQ(drivers.sonaflux->closeCalls, closes + 1);
}

// Run only as the child of the next test: ends the program with "Sonaflux" open.
TEST(AudioExit, DISABLED_ChildEndsWithADriverOpen) {
  Fixtures().sonaflux->reportClose = true;
  ASSERT_TRUE(SelectAudioDriver("Sonaflux"));
  std::fflush(stdout);
  EndProgram();
}

TEST(AudioExit, ProgramEndClosesTheCurrentDriver) {
  testing::ChildResult child =
      testing::RunChild(testing::SelfPath(),
                        {"--gtest_also_run_disabled_tests", "--gtest_filter=AudioExit.DISABLED_*"});
  EXPECT_EQ(child.exitCode, 0) << child.err;
  EXPECT_NE(child.out.find("closed Sonaflux\n"), std::string::npos) << child.out;
}

TEST(AudioSounds, OpenSoundWithABufferSkipsTheLoaders) {
  Drivers& drivers = Fixtures();
  Ref<TSampleBuffer> buffer = MakeSampleBuffer(4, 8000, PCM_MONO_U8);
  int loads = drivers.loader->calls;
  EXPECT_TRUE(OpenSound(buffer, SOUND_LOOP));
  EXPECT_EQ(drivers.loader->calls, loads);
  EXPECT_EQ(drivers.sonaflux->lastBuffer, buffer);
  EXPECT_EQ(drivers.sonaflux->lastFlags, SOUND_LOOP);
}

TEST(AudioSounds, OpenSoundLoadsAFileAndNullChannelsNeverPlay) {
  Fixtures();
  ASSERT_TRUE(SelectAudioDriver("Null"));
  ScratchDir dir;
  WriteFile(dir.Path("alert.wav"), Wav(1, 22050, 16, "\x01\x02\x03\x04"));
  Ref<TSound> sound = OpenSound(dir.Path("alert.wav"), 0);
  ASSERT_TRUE(sound);
  Ref<TChannel> channel = StartSound(sound);
  ASSERT_TRUE(channel);
  EXPECT_FALSE(IsChannelPlaying(channel));
  ChangeChannelVolume(channel, 0.5f);
  ChangeChannelPan(channel, -1.0f);
  ChangeChannelDepth(channel, 1.0f);
  ChangeChannelRate(channel, 2.0f);
  ContinueChannel(channel);
  EXPECT_FALSE(IsChannelPlaying(channel));
  HaltChannel(channel);
  HoldChannel(PrepareSound(sound));
  EXPECT_FALSE(IsChannelPlaying(NewChannel()));
}

TEST(AudioSounds, OpenSoundOfUnloadableSourcesIsTheNullObject) {
  Fixtures();
  ScratchDir dir;
  WriteFile(dir.Path("text.wav"), "not a sound");
  EXPECT_FALSE(OpenSound(dir.Path("text.wav"), 0));
  EXPECT_FALSE(OpenSound(dir.Path("missing.wav"), 0));
  EXPECT_FALSE(OpenSound(String("nosuchprotocol::alert.wav"), 0));
}

TEST(AudioSounds, OpenSoundPassesTheUnseekableErrorThrough) {
  Fixtures();
  class TUnseekable : public testing::TMemoryStream {
   public:
    int32_t Pos() override { return -1; }
  };
  EXPECT_RAISES_TEXT(OpenSound(Ref<TStream>(New<TUnseekable>()), 0), "Stream is not seekable");
}

TEST(AudioSounds, StartingTheNullObjectRaises) {
  Fixtures();
  EXPECT_RAISES_CLASS(StartSound(nullptr), TNullObjectException);
  EXPECT_RAISES_CLASS(IsChannelPlaying(nullptr), TNullObjectException);
}

}  // namespace
}  // namespace tarn
