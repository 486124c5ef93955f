#include "app/countdown.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "stream/tests/test_streams.h"

namespace tarn {
namespace {

using testing::ScratchDir;
using testing::WriteFile;

constexpr intptr_t kWindowHandle = 0x1234;

// A label that keeps every text it is given; as a window it answers query 1 with a handle.
class TRecordingGadget : public TGadget {
 public:
  void SetText(const String& text) override { texts.push_back(text.ToBytes()); }
  intptr_t Query(int32_t code) override { return code == 1 ? kWindowHandle : 0; }
  std::vector<std::string> texts;
};

// The audio driver of the test: its sounds count how often they were started, and when.
struct AlertLog {
  std::vector<uint32_t> startedAt;
};
AlertLog alertLog;
uint32_t fakeNow = 0;

class TRecordingSound : public TSound {
 public:
  Ref<TChannel> Start(const Ref<TChannel>& channel) override {
    alertLog.startedAt.push_back(fakeNow);
    return TSound::Start(channel);
  }
};

class TRecordingDriver : public TAudioDriver {
 public:
  String DriverName() override { return "Recording"; }
  Ref<TSound> MakeSound(const Ref<TSampleBuffer>&, int32_t) override {
    return New<TRecordingSound>();
  }
};

// The clock over the fake millisecond counter, counting its flashes.
class TTestCountdown : public TCountdown {
 public:
  void Flash(bool on) override {
    EXPECT_TRUE(on);
    EXPECT_EQ(windowHandle, kWindowHandle);
    ++flashes;
  }
  int flashes = 0;

 protected:
  uint32_t Now() override { return fakeNow; }
};

// A valid "alert.wav": a tenth of a second of 16-bit mono silence at 44100 Hz.
std::string SilentWave() {
  auto le = [](uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
    return out;
  };
  const uint32_t dataBytes = 4410 * 2;
  return "RIFF" + le(36 + dataBytes, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) +
         le(44100, 4) + le(88200, 4) + le(2, 2) + le(16, 2) + "data" + le(dataBytes, 4) +
         std::string(dataBytes, '\0');
}

// Each test runs in a fresh folder holding "alert.wav", with the recording driver current.
class Countdown : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitAudio();
    static Ref<TAudioDriver> driver = New<TRecordingDriver>();  // registers itself
  }
  void SetUp() override {
    ASSERT_TRUE(SelectAudioDriver("Recording"));
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.Path().ToBytes());
    Reset();
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  // A fresh clock, label and alert log, for tests that run several cases.
  void Reset() {
    WriteFile("alert.wav", SilentWave());
    alertLog = {};
    fakeNow = 5000;
    window_ = New<TRecordingGadget>();
    label_ = New<TRecordingGadget>();
    clock_ = New<TTestCountdown>();
  }

  // Moves the fake counter to ms after the start (the start being 5000) and updates.
  std::string UpdateAt(int64_t ms) {
    fakeNow = static_cast<uint32_t>(start_ + ms);
    clock_->Update();
    return label_->texts.empty() ? "<none>" : label_->texts.back();
  }
  void Begin(int32_t minutes) {
    start_ = fakeNow;
    clock_->Begin(window_, label_, minutes);
  }

  Ref<TRecordingGadget> window_, label_;
  Ref<TTestCountdown> clock_;
  uint32_t start_ = 0;

 private:
  ScratchDir dir_;
  std::filesystem::path previous_;
};

TEST_F(Countdown, TwoDigitsAndFormatTime) {
  const std::pair<int32_t, const char*> twoDigits[] = {{0, "00"},  {9, "09"},    {10, "10"},
                                                       {99, "99"}, {100, "100"}, {12345, "12345"}};
  for (auto [n, text] : twoDigits) EXPECT_EQ(clock_->TwoDigits(n).ToBytes(), text) << n;

  const std::pair<int32_t, const char*> times[] = {
      {0, "00:00"},
      {999, "00:00"},
      {1000, "00:01"},
      {60 * 1000 + 999, "01:00"},
      {59 * 60000 + 999, "59:00"},
      {3599 * 1000 + 999, "59:59"},
      {60 * 60000 + 999, "01:00:00"},
      {90 * 60000 + 999, "01:30:00"},
      {6000 * 60000 + 999, "100:00:00"},
      {2147483647, "596:31:23"},
  };
  for (auto [ms, text] : times) EXPECT_EQ(clock_->FormatTime(ms).ToBytes(), text) << ms;
}

struct Step {
  int64_t ms;  // after Begin
  const char* label;
  int flashes;  // so far
  int alerts;   // so far
};

TEST_F(Countdown, FiveMinutesFromStartToAlerts) {
  Begin(5);
  const Step steps[] = {
      {0, "05:00", 0, 0},
      {999, "05:00", 0, 0},
      {1000, "04:59", 0, 0},
      {60 * 1000, "04:00", 0, 0},
      {299 * 1000, "00:01", 0, 0},
      {299 * 1000 + 999, "00:01", 0, 0},
      {300 * 1000, "00:00", 1, 1},  // expiry: one flash, the first alert
      {300 * 1000 + 333, "00:00", 1, 1},
      {300 * 1000 + 666, "00:00", 1, 1},
      {300 * 1000 + 1000, "00:00", 1, 1},  // a second exactly: not yet again
      {300 * 1000 + 1001, "00:00", 1, 2},  // more than a second since the last start
      {300 * 1000 + 1334, "00:00", 1, 2},
      {300 * 1000 + 2002, "00:00", 1, 3},
      {3600 * 1000, "00:00", 1, 4},
  };
  for (const Step& step : steps) {
    EXPECT_EQ(UpdateAt(step.ms), step.label) << step.ms;
    EXPECT_EQ(clock_->flashes, step.flashes) << step.ms;
    EXPECT_EQ(alertLog.startedAt.size(), static_cast<size_t>(step.alerts)) << step.ms;
  }
  EXPECT_EQ(alertLog.startedAt[0], start_ + 300 * 1000);
}

TEST_F(Countdown, StartsAtTheFullMinutes) {
  const std::pair<int32_t, const char*> starts[] = {
      {1, "01:00"}, {59, "59:00"}, {60, "01:00:00"}, {90, "01:30:00"}, {6000, "100:00:00"}};
  for (auto [minutes, text] : starts) {
    Begin(minutes);
    EXPECT_EQ(UpdateAt(0), text) << minutes;
  }
}

TEST_F(Countdown, NothingBeforeBegin) {
  clock_->Update();
  EXPECT_TRUE(label_->texts.empty());
  EXPECT_EQ(clock_->flashes, 0);
}

TEST_F(Countdown, ZeroOrNegativeMinutesExpireAtTheFirstUpdate) {
  for (int32_t minutes : {0, -3, -35791, -40000, INT32_MIN}) {
    Reset();
    Begin(minutes);
    EXPECT_EQ(UpdateAt(0), "00:00") << minutes;
    EXPECT_EQ(clock_->flashes, 1) << minutes;
    EXPECT_EQ(alertLog.startedAt.size(), 1u) << minutes;
    // Stays expired, also once the difference would have wrapped for huge negative counts.
    EXPECT_EQ(UpdateAt(int64_t{30} * 24 * 3600 * 1000), "00:00") << minutes;
    EXPECT_EQ(clock_->flashes, 1) << minutes;
  }
}

TEST_F(Countdown, MinuteCountsBeyondThirtyTwoBitsAreClamped) {
  for (int32_t minutes : {35791, 35792, 100000, INT32_MAX}) {
    Reset();
    Begin(minutes);
    EXPECT_EQ(UpdateAt(0), "596:31:00") << minutes;
    EXPECT_EQ(UpdateAt(1000), "596:30:59") << minutes;
    EXPECT_EQ(clock_->flashes, 0) << minutes;
  }
}

TEST_F(Countdown, RunsAcrossTheCounterWrap) {
  // Started 2 s before the counter wraps, and before it turns negative as a signed number.
  for (uint32_t startAt : {0xFFFFF830u, 0x7FFFF830u, 0x90000000u}) {
    Reset();
    fakeNow = startAt;
    Begin(1);
    EXPECT_EQ(UpdateAt(0), "01:00") << startAt;
    EXPECT_EQ(UpdateAt(5000), "00:55") << startAt;
    EXPECT_EQ(UpdateAt(60000), "00:00") << startAt;
    EXPECT_EQ(alertLog.startedAt.size(), 1u) << startAt;
    EXPECT_EQ(UpdateAt(61001), "00:00") << startAt;
    EXPECT_EQ(alertLog.startedAt.size(), 2u) << startAt;
    EXPECT_EQ(clock_->flashes, 1) << startAt;
  }
}

TEST_F(Countdown, StartedWhenTheCounterReadsZero) {
  fakeNow = 0;
  Begin(1);
  EXPECT_NE(clock_->startTime, 0);
  EXPECT_EQ(UpdateAt(1), "01:00");
}

TEST_F(Countdown, MissingOrUnreadableAlertOnlySilencesTheAlert) {
  const std::string contents[] = {"", std::string("RIFF\x10\0\0\0WAVEjunk", 16), "not a sound"};
  for (const std::string& content : contents) {
    Reset();
    if (!content.empty()) {
      WriteFile("alert.wav", content);
    } else {
      std::filesystem::remove("alert.wav");
    }
    Begin(0);
    EXPECT_FALSE(clock_->alertSound) << content;
    EXPECT_EQ(UpdateAt(0), "00:00") << content;
    EXPECT_EQ(UpdateAt(2000), "00:00") << content;
    EXPECT_EQ(clock_->flashes, 1) << content;
    EXPECT_TRUE(alertLog.startedAt.empty()) << content;
  }
}

}  // namespace
}  // namespace tarn
