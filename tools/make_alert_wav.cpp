// Writes the countdown's alert sound: a short two-note bell chime, mono 16-bit PCM at 44100 Hz,
// as a RIFF WAVE file. Run by the build (a host program, also in the cross build):
//
//   make_alert_wav OUTPUT.wav
//
// Each note is a struck bell: a few inharmonic partials, each decaying exponentially, the
// higher ones faster, with a 4 ms attack so the start does not click. The whole chime lasts
// 0.9 s, a little under the second after which the program may start it again, and fades to
// silence at its end. The file is written beside OUTPUT and renamed over it, so a failed write
// (full disk, read-only folder) leaves no half file and fails the build with a message.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tool_output.h"

namespace {

constexpr int kRate = 44100;
constexpr double kSeconds = 0.9;
constexpr double kPi = 3.14159265358979323846;

struct Partial {
  double ratio;      // frequency as a multiple of the note's
  double amplitude;  // relative to the fundamental
  double decay;      // per second
};

// A bell's partials, close to those of a small tuned bell.
constexpr Partial kBell[] = {
    {1.0, 1.0, 4.0}, {2.0, 0.35, 6.0}, {2.76, 0.2, 9.0}, {5.4, 0.08, 14.0}};

struct Note {
  double start;      // seconds
  double frequency;  // Hz
  double loudness;
};

// E6 then C6: a falling major third, the classic "ding-dong".
constexpr Note kNotes[] = {{0.0, 1318.51, 0.55}, {0.22, 1046.50, 0.6}};

double BellAt(const Note& note, double t) {
  double local = t - note.start;
  if (local < 0) return 0;
  double attack = std::fmin(1.0, local / 0.004);
  double value = 0;
  for (const Partial& partial : kBell) {
    value += partial.amplitude * std::exp(-partial.decay * local) *
             std::sin(2 * kPi * note.frequency * partial.ratio * local);
  }
  return note.loudness * attack * value;
}

std::vector<int16_t> RenderChime() {
  const int frames = static_cast<int>(kRate * kSeconds);
  const int fadeFrames = kRate / 20;  // the last 50 ms fade to silence
  std::vector<int16_t> samples(frames);
  for (int i = 0; i < frames; ++i) {
    double t = static_cast<double>(i) / kRate;
    double value = 0;
    for (const Note& note : kNotes) value += BellAt(note, t);
    if (i >= frames - fadeFrames) value *= static_cast<double>(frames - 1 - i) / fadeFrames;
    value = std::fmax(-1.0, std::fmin(1.0, value * 0.5));
    samples[i] = static_cast<int16_t>(std::lround(value * 32767));
  }
  return samples;
}

std::string WaveFile(const std::vector<int16_t>& samples) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::string out = "RIFF";
  PutLE(out, 36 + dataBytes, 4);
  out += "WAVEfmt ";
  PutLE(out, 16, 4);         // format chunk size
  PutLE(out, 1, 2);          // PCM
  PutLE(out, 1, 2);          // mono
  PutLE(out, kRate, 4);      // frames per second
  PutLE(out, kRate * 2, 4);  // bytes per second
  PutLE(out, 2, 2);          // bytes per frame
  PutLE(out, 16, 2);         // bits per sample
  out += "data";
  PutLE(out, dataBytes, 4);
  for (int16_t sample : samples) PutLE(out, static_cast<uint16_t>(sample), 2);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  return WriteOutput(argc, argv, "make_alert_wav OUTPUT.wav",
                     [] { return WaveFile(RenderChime()); });
}
