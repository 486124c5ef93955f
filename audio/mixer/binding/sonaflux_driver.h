// The Sonaflux mixer as drivers of the audio front end.
//
// TSonafluxAudioDriver opens the mixer on an output device (waveOut, DirectSound, or waveOut
// falling back to DirectSound); its sounds own a mixer buffer and its channels own a mixer
// handle. Every operation forwards to one call of the mixer's interface. InitSonafluxDrivers
// registers "Sonaflux DirectSound" (only when DirectSound's entry point exists), "Sonaflux
// Multimedia" and "Sonaflux". Application thread only; the mixer's threads never call back here.
#pragma once

#include <cstdint>

#include "audio/audio_driver.h"
#include "audio/mixer/sonaflux.h"

namespace tarn {

class TSonafluxAudioDriver : public TAudioDriver {
 public:
  String DriverName() override;
  bool Open() override;
  bool Close() override;
  Ref<TSound> MakeSound(const Ref<TSampleBuffer>& buffer, int32_t flags) override;
  Ref<TChannel> MakeChannel() override;

  static Ref<TSonafluxAudioDriver> Register(const String& name, int32_t deviceMode);

  String name;
  int32_t deviceMode = -1;  // 1 DirectSound, 0 waveOut, -1 waveOut then DirectSound
};

class TSonafluxSound : public TSound {
 public:
  ~TSonafluxSound() override;
  Ref<TChannel> Start(const Ref<TChannel>& channel) override;
  Ref<TChannel> Prepare(const Ref<TChannel>& channel) override;

  static Ref<TSonafluxSound> ForNative(sonaflux::audiobuffer* buffer);

  sonaflux::audiobuffer* native = nullptr;  // one reference, or none

 private:
  Ref<TChannel> Play(const Ref<TChannel>& channel, int32_t cue);
};

class TSonafluxChannel : public TChannel {
 public:
  ~TSonafluxChannel() override;
  void Halt() override;
  void SetHeld(int32_t hold) override;
  void ApplyVolume(float volume) override;
  void ApplyPan(float pan) override;
  void ApplyDepth(float depth) override;
  void ApplyRate(float rate) override;
  bool IsPlaying() override;
  int32_t PlayPosition();  // frames played

  static Ref<TSonafluxChannel> ForHandle(sonaflux_handle handle);

  sonaflux_handle handle = 0;  // 0 once halted
};

// Makes the device (DirectSound when mode is non-zero, waveOut when zero) and starts the mixer
// on it: 0 on success, -1 on failure.
int32_t OpenMixerDevice(int32_t deviceMode);

// Loads DirectSound's entry point; false when "dsound" or "DirectSoundCreate" is missing. Until
// it succeeds the entry is a stub that raises TNullFunctionException.
bool LoadDirectSoundEntry();
#ifdef _WIN32
#define TARN_WINAPI __stdcall
#else
#define TARN_WINAPI
#endif
using DirectSoundCreateFunction = int32_t(TARN_WINAPI*)(const void* guid, void** directSound,
                                                        void* outer);
extern DirectSoundCreateFunction DirectSoundCreateEntry;

// Once-guarded: initialises the audio front end, then registers the three drivers.
void InitSonafluxDrivers();

}  // namespace tarn
