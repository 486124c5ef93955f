// Voice-frames mixed per second of CPU by the Sonaflux mixer (plain reference loop and fast
// loops) beside OpenAL Soft rendering the same voices through its loopback device at 44100 Hz
// 16-bit stereo with its linear resampler. 16-bit mono voices at 22050 Hz, looping, with mixed
// rates and volumes; every fourth voice changes its volume each block (a ramp).
//   mixer_benchmark [SECONDS_PER_FIGURE]
#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "audio/mixer/mixer_internal.h"

namespace {

constexpr int kBlockFrames = 1024;
constexpr int kSourceRate = 22050;
double secondsPerFigure = 0.5;

double cpu_seconds() {
  timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec + now.tv_nsec / 1e9;
}

std::vector<int16_t> source_samples() {
  std::vector<int16_t> samples(kSourceRate);
  for (size_t n = 0; n < samples.size(); n++) {
    samples[n] = static_cast<int16_t>(12000 * std::sin(n * 0.05) + 3000 * std::sin(n * 0.31));
  }
  return samples;
}

float voice_rate(int voice) { return 0.75f + (voice % 8) * 0.07f; }
float voice_volume(int voice) { return 0.3f + (voice % 5) * 0.1f; }
float voice_pan(int voice) { return (voice % 9 - 4) / 4.0f; }
// The volume of a ramping voice in a given block.
float ramp_volume(int voice, long block) { return voice_volume(voice) * (block % 2 ? 0.5f : 1.0f); }

// Runs `block` until the CPU time reaches the figure's length; gives voice-frames per second.
template <class Block>
double measure(int voices, Block block) {
  for (long b = 0; b < 4; b++) block(b);  // warm up
  double start = cpu_seconds(), elapsed = 0;
  long blocks = 0;
  while ((elapsed = cpu_seconds() - start) < secondsPerFigure) block(blocks++);
  return static_cast<double>(voices) * blocks * kBlockFrames / elapsed;
}

uint32_t fixed_now = 1000;
uint32_t fixed_clock() { return fixed_now; }

class bench_device : public sonaflux::audiodevice {
 public:
  int32_t open() override {
    mix = new sonaflux::mixer(2 * kBlockFrames);
    mix->rate = 44100;
    mix->channels = 2;
    return 0;
  }
  void close() override {}
};

double sonaflux_figure(int voices, const std::vector<int16_t>& samples,
                       sonaflux::mix_record_function loop) {
  sonaflux::set_clock(fixed_clock);
  sonaflux::set_mix_record(loop);
  auto* device = new bench_device;
  sonaflux_start(device);
  sonaflux::audiobuffer* buffer = sonaflux_new_buffer(static_cast<int32_t>(samples.size()), 16, 1,
                                                      kSourceRate, samples.data(), 1);
  std::vector<sonaflux_handle> handles;
  for (int v = 0; v < voices; v++) {
    sonaflux_handle handle = sonaflux_new_channel();
    sonaflux_set_rate(handle, voice_rate(v));
    sonaflux_set_volume(handle, voice_volume(v));
    sonaflux_set_pan(handle, voice_pan(v));
    sonaflux_play(buffer, 0, handle);
    handles.push_back(handle);
  }
  fixed_now += 20;
  std::vector<int16_t> out(2 * kBlockFrames);
  double figure = measure(voices, [&](long block) {
    for (int v = 0; v < voices; v += 4) sonaflux_set_volume(handles[v], ramp_volume(v, block));
    sonaflux::mix16(device->mix, out.data(), 0);
  });
  sonaflux_release_buffer(buffer);
  sonaflux_stop();
  sonaflux::set_mix_record(nullptr);
  sonaflux::set_clock(nullptr);
  return figure;
}

struct openal_peer {
  ALCdevice* device = nullptr;
  ALCcontext* context = nullptr;
  ALint linear = -1;
};

bool open_openal(openal_peer& peer) {
  peer.device = alcLoopbackOpenDeviceSOFT(nullptr);
  if (!peer.device) return false;
  ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                         ALC_STEREO_SOFT,
                         ALC_FORMAT_TYPE_SOFT,
                         ALC_SHORT_SOFT,
                         ALC_FREQUENCY,
                         44100,
                         ALC_MONO_SOURCES,
                         512,
                         ALC_HRTF_SOFT,
                         ALC_FALSE,
                         0};
  peer.context = alcCreateContext(peer.device, attributes);
  if (!peer.context || !alcMakeContextCurrent(peer.context)) return false;
  ALint resamplers = alGetInteger(AL_NUM_RESAMPLERS_SOFT);
  for (ALint i = 0; i < resamplers; i++) {
    if (std::strstr(alGetStringiSOFT(AL_RESAMPLER_NAME_SOFT, i), "Linear")) peer.linear = i;
  }
  return peer.linear >= 0;
}

double openal_figure(int voices, const std::vector<int16_t>& samples, const openal_peer& peer) {
  ALuint buffer;
  alGenBuffers(1, &buffer);
  alBufferData(buffer, AL_FORMAT_MONO16, samples.data(), static_cast<ALsizei>(samples.size() * 2),
               kSourceRate);
  std::vector<ALuint> sources(voices);
  alGenSources(voices, sources.data());
  for (int v = 0; v < voices; v++) {
    alSourcei(sources[v], AL_BUFFER, static_cast<ALint>(buffer));
    alSourcei(sources[v], AL_LOOPING, AL_TRUE);
    alSourcei(sources[v], AL_SOURCE_RESAMPLER_SOFT, peer.linear);
    alSourcei(sources[v], AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(sources[v], AL_POSITION, voice_pan(v), 0, -1);
    alSourcef(sources[v], AL_PITCH, voice_rate(v));
    alSourcef(sources[v], AL_GAIN, voice_volume(v));
  }
  alSourcePlayv(voices, sources.data());
  std::vector<int16_t> out(2 * kBlockFrames);
  double figure = measure(voices, [&](long block) {
    for (int v = 0; v < voices; v += 4) alSourcef(sources[v], AL_GAIN, ramp_volume(v, block));
    alcRenderSamplesSOFT(peer.device, out.data(), kBlockFrames);
  });
  alSourceStopv(voices, sources.data());
  alDeleteSources(voices, sources.data());
  alDeleteBuffers(1, &buffer);
  return figure;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) secondsPerFigure = std::atof(argv[1]);
  std::vector<int16_t> samples = source_samples();
  openal_peer peer;
  if (!open_openal(peer)) {
    std::fprintf(stderr, "OpenAL Soft's loopback device or linear resampler is missing\n");
    return 1;
  }
  std::printf("peer: OpenAL Soft %s (loopback, linear resampler)\n", alGetString(AL_VERSION));
  std::printf(
      "millions of voice-frames per CPU second (best of 3); 16-bit mono 22050 Hz looping\n");
  std::printf("%6s %12s %12s %12s %12s %12s\n", "voices", "plain", "fast", "OpenAL", "plain/peer",
              "fast/peer");
  // Each figure is the best of three runs, taken in turn, so that a burst of load from other
  // programs on the machine touches one run and not the figure.
  for (int voices : {1, 16, 64, 256}) {
    double plain = 0, fast = 0, openal = 0;
    for (int run = 0; run < 3; run++) {
      plain = std::max(plain, sonaflux_figure(voices, samples, sonaflux::mix_record_plain));
      fast = std::max(fast, sonaflux_figure(voices, samples, sonaflux::mix_record_fast));
      openal = std::max(openal, openal_figure(voices, samples, peer));
    }
    std::printf("%6d %12.1f %12.1f %12.1f %12.2f %12.2f\n", voices, plain / 1e6, fast / 1e6,
                openal / 1e6, plain / openal, fast / openal);
  }
  alcMakeContextCurrent(nullptr);
  alcDestroyContext(peer.context);
  alcCloseDevice(peer.device);
  return 0;
}
