// The one format both output devices play: PCM, 2 channels, 44100 frames per second, 16 bits.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "audio/mixer/sonaflux.h"

namespace sonaflux {

inline WAVEFORMATEX output_format() {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 2;
  format.nSamplesPerSec = kOutputRate;
  format.wBitsPerSample = 16;
  format.nBlockAlign = 4;
  format.nAvgBytesPerSec = kOutputRate * 4;
  return format;
}

}  // namespace sonaflux
