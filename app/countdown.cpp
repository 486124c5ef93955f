#include "app/countdown.h"

#include <algorithm>

#include "gui/model/gui_front.h"
#include "runtime/millisecs.h"

namespace tarn {

namespace {

constexpr int32_t kAlertIntervalMs = 1000;

// Opens the alert sound; anything that keeps it from loading leaves the clock silent.
Ref<TSound> OpenAlertSound() {
  try {
    return OpenSound("alert.wav", 0);
  } catch (const Raised&) {
    return nullptr;
  }
}

}  // namespace

uint32_t TCountdown::Now() { return MilliSecs(); }

void TCountdown::Begin(const Ref<TGadget>& window, const Ref<TGadget>& label, int32_t minutes) {
  windowHandle = GadgetQuery(window, QueryNativeHandle);
  this->label = label;
  // 0 is "not started": a counter that reads exactly 0 starts the clock a millisecond later.
  startTime = static_cast<int32_t>(std::max<uint32_t>(Now(), 1));
  int64_t clamped = std::clamp(minutes, -kMaxMinutes, kMaxMinutes);
  duration = static_cast<int32_t>(clamped * 60 * 1000 + 999);
  alertSound = OpenAlertSound();
}

void TCountdown::Update() {
  if (startTime == 0) return;
  int32_t remaining = static_cast<int32_t>(static_cast<uint32_t>(startTime) +
                                           static_cast<uint32_t>(duration) - Now());
  // Once expired the clock stays expired, even when the difference would wrap after weeks.
  if (remaining < 1000 || flashed) {
    bool firstExpiry = !flashed;
    if (firstExpiry) Flash(true);
    flashed = true;
    uint32_t now = Now();
    if (firstExpiry ||
        static_cast<int32_t>(now - static_cast<uint32_t>(lastAlert)) > kAlertIntervalMs) {
      if (alertSound) StartSound(alertSound);
      lastAlert = static_cast<int32_t>(Now());
    }
    remaining = 0;
  }
  GadgetSetText(label, FormatTime(remaining));
}

String TCountdown::FormatTime(int32_t milliseconds) {
  int32_t seconds = milliseconds / 1000;
  int32_t hours = seconds / 3600;
  seconds -= hours * 3600;
  int32_t minutes = seconds / 60;
  seconds -= minutes * 60;
  String clock = TwoDigits(minutes) + ":" + TwoDigits(seconds);
  return hours > 0 ? TwoDigits(hours) + ":" + clock : clock;
}

String TCountdown::TwoDigits(int32_t n) { return n > 9 ? IntToString(n) : "0" + IntToString(n); }

void TCountdown::Flash(bool on) { FlashNativeWindow(windowHandle, on); }

}  // namespace tarn
