// The audio front end: sounds, channels and the driver that makes them.
//
// Application code loads a sound with OpenSound, plays it with StartSound and steers the
// channel it gets back. The work is done by the current TAudioDriver, chosen by name from a
// registry that every driver joins when constructed (newest first). The base classes are the
// silent "Null" driver: its sounds never play and its channels never report playing. Drivers
// register during module start-up; everything here runs on the application's thread.
#pragma once

#include <cstdint>
#include <vector>

#include "audio/sample_buffer.h"
#include "runtime/string.h"

namespace tarn {

// Sound flags.
enum : int32_t { SOUND_LOOP = 1 };

// A playing (or prepared) instance of a sound. The base class ignores every call.
class TChannel : public Object {
 public:
  virtual void Halt();
  virtual void SetHeld(int32_t hold);      // non-zero holds, zero continues
  virtual void ApplyVolume(float volume);  // 1.0 is unity
  virtual void ApplyPan(float pan);        // -1 left .. +1 right
  virtual void ApplyDepth(float depth);
  virtual void ApplyRate(float rate);  // 1.0 is the recorded speed
  virtual bool IsPlaying();            // false
};

class TSound : public Object {
 public:
  // Play on channel (or on a new channel when it is the null object) and return the channel.
  virtual Ref<TChannel> Start(const Ref<TChannel>& channel);
  // As Start, but held until the channel is continued.
  virtual Ref<TChannel> Prepare(const Ref<TChannel>& channel);

  // source: a TSampleBuffer or a URL for LoadSampleBuffer. The current driver's sound, or the
  // null object when the source cannot be loaded.
  static Ref<TSound> FromSource(const Ref<Object>& source, int32_t flags);
};

class TAudioDriver : public Object {
 public:
  TAudioDriver();  // links this driver in front of the registry

  virtual String DriverName();  // "Null"
  virtual bool Open();          // true
  virtual bool Close();         // false; nothing to close
  // The buffer may be dropped once the sound is made.
  virtual Ref<TSound> MakeSound(const Ref<TSampleBuffer>& buffer, int32_t flags);
  virtual Ref<TChannel> MakeChannel();

  Ref<TAudioDriver> next;  // the driver registered before this one
};

// Sounds and channels. Each calls the operation of the object it is given, whatever driver is
// current; the null object raises TNullObjectException.
Ref<TSound> OpenSound(const Ref<Object>& source, int32_t flags);
inline Ref<TSound> OpenSound(const char* url, int32_t flags) {
  return OpenSound(String(url), flags);
}
Ref<TChannel> StartSound(const Ref<TSound>& sound, const Ref<TChannel>& channel = nullptr);
Ref<TChannel> PrepareSound(const Ref<TSound>& sound, const Ref<TChannel>& channel = nullptr);
Ref<TChannel> NewChannel();
void HaltChannel(const Ref<TChannel>& channel);
bool IsChannelPlaying(const Ref<TChannel>& channel);
void ChangeChannelVolume(const Ref<TChannel>& channel, float volume);
void ChangeChannelPan(const Ref<TChannel>& channel, float pan);
void ChangeChannelDepth(const Ref<TChannel>& channel, float depth);
void ChangeChannelRate(const Ref<TChannel>& channel, float rate);
void HoldChannel(const Ref<TChannel>& channel);
void ContinueChannel(const Ref<TChannel>& channel);

// Drivers. Names compare case-insensitively (ASCII letters).
std::vector<String> ListAudioDrivers();  // registry order, newest first, at most 100
bool HasAudioDriver(const String& name);
// Closes the current driver, makes "Null" current, then opens the first driver of that name
// and makes it current. False when no driver has the name or its Open fails ("Null" stays).
bool SelectAudioDriver(const String& name);
// The current driver; on first use "Sonaflux", or "Null" when that cannot be opened.
Ref<TAudioDriver> CurrentAudioDriver();
// Closes the current driver, if one is set, and clears it: the module's exit routine.
void CloseAudioDriver();

// Once-guarded: initialises the audio samples, the WAV loader and the streams, registers the
// "Null" driver and the exit routine. No driver is opened here.
void InitAudio();

}  // namespace tarn
