#include "audio/audio_driver.h"

#include "audio/sample_loader.h"
#include "audio/wav_loader.h"
#include "runtime/runtime.h"
#include "stream/streams.h"
#include "system/startup.h"

namespace tarn {

namespace {

constexpr size_t kMaxListedDrivers = 100;

// Never destroyed: the exit routine still reaches them after static destructors have run.
Ref<TAudioDriver>& RegistryHead() {
  static auto* head = new Ref<TAudioDriver>();
  return *head;
}
Ref<TAudioDriver>& NullDriver() {
  static auto* driver = new Ref<TAudioDriver>();
  return *driver;
}
Ref<TAudioDriver>& Current() {
  static auto* current = new Ref<TAudioDriver>();
  return *current;
}

// The first registered driver whose lower-cased name is name (already lower case).
Ref<TAudioDriver> FindDriver(const String& lowerName) {
  for (Ref<TAudioDriver> driver = RegistryHead(); driver; driver = driver->next) {
    if (driver->DriverName().ToLower() == lowerName) return driver;
  }
  return nullptr;
}

}  // namespace

// ---- the "Null" driver: the base classes

void TChannel::Halt() {}
void TChannel::SetHeld(int32_t) {}
void TChannel::ApplyVolume(float) {}
void TChannel::ApplyPan(float) {}
void TChannel::ApplyDepth(float) {}
void TChannel::ApplyRate(float) {}
bool TChannel::IsPlaying() { return false; }

Ref<TChannel> TSound::Start(const Ref<TChannel>&) { return New<TChannel>(); }
Ref<TChannel> TSound::Prepare(const Ref<TChannel>&) { return New<TChannel>(); }

Ref<TSound> TSound::FromSource(const Ref<Object>& source, int32_t flags) {
  Ref<TSampleBuffer> buffer = Cast<TSampleBuffer>(source);
  if (!buffer) buffer = LoadSampleBuffer(source);
  if (!buffer) return nullptr;
  return CurrentAudioDriver()->MakeSound(buffer, flags);
}

TAudioDriver::TAudioDriver() {
  next = RegistryHead();
  RegistryHead() = Ref<TAudioDriver>(this);
}

String TAudioDriver::DriverName() { return "Null"; }
bool TAudioDriver::Open() { return true; }
bool TAudioDriver::Close() { return false; }
Ref<TSound> TAudioDriver::MakeSound(const Ref<TSampleBuffer>&, int32_t) { return New<TSound>(); }
Ref<TChannel> TAudioDriver::MakeChannel() { return New<TChannel>(); }

// ---- sounds and channels

Ref<TSound> OpenSound(const Ref<Object>& source, int32_t flags) {
  return TSound::FromSource(source, flags);
}
Ref<TChannel> StartSound(const Ref<TSound>& sound, const Ref<TChannel>& channel) {
  return sound->Start(channel);
}
Ref<TChannel> PrepareSound(const Ref<TSound>& sound, const Ref<TChannel>& channel) {
  return sound->Prepare(channel);
}
Ref<TChannel> NewChannel() { return CurrentAudioDriver()->MakeChannel(); }
void HaltChannel(const Ref<TChannel>& channel) { channel->Halt(); }
bool IsChannelPlaying(const Ref<TChannel>& channel) { return channel->IsPlaying(); }
void ChangeChannelVolume(const Ref<TChannel>& channel, float volume) {
  channel->ApplyVolume(volume);
}
void ChangeChannelPan(const Ref<TChannel>& channel, float pan) { channel->ApplyPan(pan); }
void ChangeChannelDepth(const Ref<TChannel>& channel, float depth) { channel->ApplyDepth(depth); }
void ChangeChannelRate(const Ref<TChannel>& channel, float rate) { channel->ApplyRate(rate); }
void HoldChannel(const Ref<TChannel>& channel) { channel->SetHeld(1); }
void ContinueChannel(const Ref<TChannel>& channel) { channel->SetHeld(0); }

// ---- drivers

std::vector<String> ListAudioDrivers() {
  std::vector<String> names;
  for (Ref<TAudioDriver> driver = RegistryHead(); driver && names.size() < kMaxListedDrivers;
       driver = driver->next) {
    names.push_back(driver->DriverName());
  }
  return names;
}

bool HasAudioDriver(const String& name) { return bool(FindDriver(name.ToLower())); }

bool SelectAudioDriver(const String& name) {
  CloseAudioDriver();
  Current() = NullDriver();
  Ref<TAudioDriver> driver = FindDriver(name.ToLower());
  if (!driver || !driver->Open()) return false;
  Current() = driver;
  return true;
}

Ref<TAudioDriver> CurrentAudioDriver() {
  if (!Current() && !SelectAudioDriver("Sonaflux")) SelectAudioDriver("Null");
  return Current();
}

void CloseAudioDriver() {
  if (Ref<TAudioDriver> current = std::exchange(Current(), nullptr)) current->Close();
}

void InitAudio() {
  static bool started = false;
  if (started) return;
  started = true;
  InitRuntime();
  InitStreams();
  InitAudioSamples();
  InitWavLoader();
  NullDriver() = New<TAudioDriver>();
  AddExitHandler(CloseAudioDriver);
}

}  // namespace tarn
