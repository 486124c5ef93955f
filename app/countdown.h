// TCountdown: the countdown's clock. Begin starts it with a number of minutes; Update, called
// at once and on every timer tick, writes the remaining time into the label ("05:00", "04:59",
// "01:30:00" once an hour or more remains). When the time is up the label shows 00:00 for
// good, the window's caption and taskbar button flash (once told, until the window comes to
// the foreground), and the sound "alert.wav" starts, then again at most once a second.
//
// Times are readings of the system's 32-bit millisecond counter compared by wrapping
// differences, so the clock runs across the counter's wrap. Minute counts whose length does
// not fit a signed 32-bit millisecond count (35792 and more) are clamped to the largest that
// does. A missing or unreadable "alert.wav" only leaves the alert silent. Main thread only.
#pragma once

#include <cstdint>

#include "audio/audio_driver.h"
#include "gui/model/gadget.h"

namespace tarn {

class TCountdown : public Object {
 public:
  // window: the main window (flashed at expiry); label: where the time is shown.
  virtual void Begin(const Ref<TGadget>& window, const Ref<TGadget>& label, int32_t minutes);
  virtual void Update();
  // milliseconds (not negative) as [HH:]MM:SS, whole seconds, the rest dropped.
  virtual String FormatTime(int32_t milliseconds);
  // n (not negative) in decimal with at least two digits.
  virtual String TwoDigits(int32_t n);
  // Makes the window's caption and taskbar button flash (on) or stop (off).
  virtual void Flash(bool on);

  int32_t startTime = 0;  // counter when started; 0 means not started
  int32_t duration = 0;   // milliseconds, with 999 added so the display starts at full minutes
  bool flashed = false;   // expired: the window has been told to flash
  int32_t lastAlert = 0;  // counter when the alert was last started
  Ref<TSound> alertSound;
  intptr_t windowHandle = 0;  // the main window's native handle, for flashing
  Ref<TGadget> label;

  // The largest minute count whose milliseconds (plus the 999) fit a signed 32-bit number.
  static constexpr int32_t kMaxMinutes = 35791;

 protected:
  // The system's millisecond counter; tests put a counter of their own in its place.
  virtual uint32_t Now();
};

// The platform half of Flash: FlashWindowEx on Windows, nothing elsewhere.
void FlashNativeWindow(intptr_t windowHandle, bool on);

}  // namespace tarn
