#include "audio/mixer/binding/sonaflux_driver.h"

#include "runtime/exceptions.h"
#include "runtime/runtime.h"

namespace tarn {

namespace {

int32_t TARN_WINAPI DirectSoundCreateStub(const void*, void**, void*) {
  Raise(New<TNullFunctionException>());
}

}  // namespace

DirectSoundCreateFunction DirectSoundCreateEntry = DirectSoundCreateStub;

// ---- driver

String TSonafluxAudioDriver::DriverName() { return name; }

bool TSonafluxAudioDriver::Open() {
  if (deviceMode == 0 || deviceMode == 1) return OpenMixerDevice(deviceMode) == 0;
  return OpenMixerDevice(0) == 0 || OpenMixerDevice(1) == 0;
}

bool TSonafluxAudioDriver::Close() {
  sonaflux_stop();
  return false;
}

Ref<TSound> TSonafluxAudioDriver::MakeSound(const Ref<TSampleBuffer>& source, int32_t flags) {
  Ref<TSampleBuffer> buffer = source;
  // The mixer takes 16-bit samples in host (little-endian) order only.
  if (buffer->format == PCM_MONO_S16BE) buffer = buffer->ConvertTo(PCM_MONO_S16LE);
  if (buffer->format == PCM_STEREO_S16BE) buffer = buffer->ConvertTo(PCM_STEREO_S16LE);
  if (!IsSampleFormat(buffer->format)) return nullptr;
  int32_t channels = FormatChannels[buffer->format];
  if (channels == 0) return nullptr;
  int32_t bits = FrameBytes[buffer->format] * 8 / channels;
  sonaflux::audiobuffer* native = sonaflux_new_buffer(
      buffer->frameCount, bits, channels, buffer->rate, buffer->pcm, (flags & SOUND_LOOP) ? -1 : 0);
  return TSonafluxSound::ForNative(native);
}

Ref<TChannel> TSonafluxAudioDriver::MakeChannel() {
  sonaflux_handle handle = sonaflux_new_channel();
  if (handle == 0) return nullptr;
  return TSonafluxChannel::ForHandle(handle);
}

Ref<TSonafluxAudioDriver> TSonafluxAudioDriver::Register(const String& name, int32_t deviceMode) {
  Ref<TSonafluxAudioDriver> driver = New<TSonafluxAudioDriver>();
  driver->name = name;
  driver->deviceMode = deviceMode;
  return driver;
}

int32_t OpenMixerDevice(int32_t deviceMode) {
  sonaflux::audiodevice* device =
      deviceMode ? sonaflux_new_dsound_device() : sonaflux_new_waveout_device();
  if (!device) return -1;
  return sonaflux_start(device) == 0 ? 0 : -1;
}

// ---- sound

TSonafluxSound::~TSonafluxSound() { sonaflux_release_buffer(native); }

Ref<TSonafluxSound> TSonafluxSound::ForNative(sonaflux::audiobuffer* buffer) {
  Ref<TSonafluxSound> sound = New<TSonafluxSound>();
  sound->native = buffer;
  return sound;
}

Ref<TChannel> TSonafluxSound::Start(const Ref<TChannel>& channel) { return Play(channel, 0); }
Ref<TChannel> TSonafluxSound::Prepare(const Ref<TChannel>& channel) { return Play(channel, 1); }

Ref<TChannel> TSonafluxSound::Play(const Ref<TChannel>& channel, int32_t cue) {
  sonaflux_handle handle = 0;
  Ref<TSonafluxChannel> own;
  if (channel) {
    own = Cast<TSonafluxChannel>(channel);
    if (!own) return nullptr;  // a channel of another driver
    handle = own->handle;
  }
  sonaflux_handle played = sonaflux_play(native, cue, handle);
  if (played == 0) return nullptr;
  if (own && own->handle == played) return own;
  return TSonafluxChannel::ForHandle(played);
}

// ---- channel

TSonafluxChannel::~TSonafluxChannel() {
  if (handle) sonaflux_free_channel(handle);
}

Ref<TSonafluxChannel> TSonafluxChannel::ForHandle(sonaflux_handle handle) {
  Ref<TSonafluxChannel> channel = New<TSonafluxChannel>();
  channel->handle = handle;
  return channel;
}

void TSonafluxChannel::Halt() {
  sonaflux_halt(handle);
  handle = 0;
}

void TSonafluxChannel::SetHeld(int32_t hold) { sonaflux_set_held(handle, hold); }
void TSonafluxChannel::ApplyVolume(float volume) { sonaflux_set_volume(handle, volume); }
void TSonafluxChannel::ApplyPan(float pan) { sonaflux_set_pan(handle, pan); }
void TSonafluxChannel::ApplyDepth(float depth) { sonaflux_set_depth(handle, depth); }
void TSonafluxChannel::ApplyRate(float rate) { sonaflux_set_rate(handle, rate); }

bool TSonafluxChannel::IsPlaying() {
  int32_t status = sonaflux_status(handle);
  return status != 0 && !(status & (sonaflux::STATUS_STOPPED | sonaflux::STATUS_HELD));
}

int32_t TSonafluxChannel::PlayPosition() { return sonaflux_position(handle); }

// ---- module

void InitSonafluxDrivers() {
  static bool started = false;
  if (started) return;
  started = true;
  InitAudio();
  if (LoadDirectSoundEntry()) TSonafluxAudioDriver::Register("Sonaflux DirectSound", 1);
  TSonafluxAudioDriver::Register("Sonaflux Multimedia", 0);
  TSonafluxAudioDriver::Register("Sonaflux", -1);
}

}  // namespace tarn
