// The waveOut output device: one looping header over a ring of 32 fragments, refilled from a
// chain of one-shot 5 ms multimedia timer events, on the multimedia timer's thread.
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdio>
#include <cstring>

#include "audio/mixer/output_format_win32.h"
#include "audio/mixer/sonaflux.h"

namespace sonaflux {
namespace {

constexpr int32_t kRingFragments = 32;
constexpr int32_t kRestartTicks = 250;
constexpr DWORD kPositionLimit = 268435456;

// 1024 samples per fragment on the NT family and later Windows 9x releases, 2048 elsewhere.
int32_t fragment_for_system() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) return 2048;
  bool small = version.dwPlatformId == VER_PLATFORM_WIN32_NT ||
               (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMajorVersion > 4);
  return small ? 1024 : 2048;
}

class winmmdevice final : public audiodevice {
 public:
  ~winmmdevice() override { close(); }

  int32_t open() override {
    fragment = fragment_for_system();
    mix = new mixer(fragment);
    WAVEFORMATEX format = output_format();
    if (waveOutOpen(&waveOut, WAVE_MAPPER, &format, 0, reinterpret_cast<DWORD_PTR>(this),
                    CALLBACK_NULL) != MMSYSERR_NOERROR) {
      waveOut = nullptr;
      return 1;
    }
    mix->rate = kOutputRate;
    mix->channels = 2;
    ring = new int16_t[fragment * kRingFragments]();
    header = new WAVEHDR{};
    header->lpData = reinterpret_cast<LPSTR>(ring);
    header->dwBufferLength = fragment * sampleBytes * kRingFragments;
    header->dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
    header->dwLoops = 2147483647;
    waveOutPrepareHeader(waveOut, header, sizeof *header);
    restartTicks = 0;
    latency = 6;
    running.store(1);
    refill();
    write_header();
    arm_timer();
    return 0;
  }

  void close() override {
    running.store(0);
    // The event armed last is killed; a refill that was running when it was read may have armed
    // another, so repeat until no refill runs and the id stays the same.
    for (;;) {
      UINT id = timer.load();
      if (id) timeKillEvent(id);
      while (refilling.load()) Sleep(1);
      if (timer.load() == id) break;
    }
    timer.store(0);
    if (mix) mix->recycle_playing();
    if (waveOut) {
      waveOutReset(waveOut);
      waveOutUnprepareHeader(waveOut, header, sizeof *header);
      waveOutClose(waveOut);
      waveOut = nullptr;
    }
    delete[] ring;
    ring = nullptr;
    delete header;
    header = nullptr;
  }

 private:
  static void CALLBACK on_timer(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    auto* device = reinterpret_cast<winmmdevice*>(user);
    device->refilling.store(1);
    try {
      device->refill();
      if (device->running.load()) device->arm_timer();
    } catch (...) {
      // Nothing on this path throws; an exception must not leave the timer thread regardless.
    }
    device->refilling.store(0);
  }

  void arm_timer() {
    timer.store(timeSetEvent(5, 5, on_timer, reinterpret_cast<DWORD_PTR>(this),
                             TIME_ONESHOT | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS));
  }

  void write_header() {
    if (waveOutWrite(waveOut, header, sizeof *header) != MMSYSERR_NOERROR) {
      std::fputs("waveOutWrite error\n", stdout);
      std::fflush(stdout);
    }
  }

  void clear_ring() { std::memset(ring, 0, fragment * sampleBytes * kRingFragments); }

  void refill() {
    if (running.load() != 1) return;
    if (restartTicks) {
      if (--restartTicks) return;
      write_header();
    }
    MMTIME time{};
    time.wType = TIME_BYTES;
    if (waveOutGetPosition(waveOut, &time, sizeof time) != MMSYSERR_NOERROR ||
        time.wType != TIME_BYTES || time.u.cb > kPositionLimit) {
      waveOutReset(waveOut);
      written = 0;
      clear_ring();
      write_header();
      return;
    }
    int32_t played = static_cast<int32_t>(time.u.cb / sampleBytes);
    if (played && played + 2 * fragment > written) {
      // Underrun: silence for a while, then restart with a longer lead.
      clear_ring();
      restartTicks = kRestartTicks;
      waveOutReset(waveOut);
      if (latency <= 9) latency += 2;
      written = latency * fragment * 2;
      return;
    }
    while (written < played + latency * fragment) {
      mix16(mix, ring + (written / fragment) % kRingFragments * fragment, 0);
      written += fragment;
    }
  }

  HWAVEOUT waveOut = nullptr;
  int32_t fragment = 0;  // samples per fragment; fixed while open
  int32_t sampleBytes = 2;
  WAVEHDR* header = nullptr;  // application thread: open and close
  int16_t* ring = nullptr;    // timer thread writes while open
  int32_t sixteenBit = 1;
  std::atomic<int32_t> running{0};    // application writes, timer thread reads
  std::atomic<UINT> timer{0};         // both write (open, close; each refill), close reads
  std::atomic<int32_t> refilling{0};  // timer thread writes, close reads
  int32_t written = 0;                // timer thread (open's first refill runs before any event)
  int32_t restartTicks = 0;           // timer thread
  int32_t latency = 6;                // timer thread
};

}  // namespace
}  // namespace sonaflux

sonaflux::audiodevice* sonaflux_new_waveout_device() { return new sonaflux::winmmdevice; }
