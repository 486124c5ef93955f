// The RIFF WAVE loader: uncompressed PCM, 8 or 16 bits, mono or stereo.
//
// The audio-sample loader registry (sample_loader.h) holds one instance, made by InitWavLoader.
// Anything else (compressed or float data, 24 or 32 bits, more than two channels, a chunk
// before "fmt ", no "data" chunk) is refused with the null object. A data chunk that claims
// more than the stream holds gives the frames that are there; bytes the stream fails to
// deliver read as silence. Main thread only.
#pragma once

#include "audio/sample_loader.h"

namespace tarn {

class TWavSampleLoader : public TSampleBufferLoader {
 public:
  Ref<TSampleBuffer> TryLoad(const Ref<TStream>& stream) override;
};

// Once-guarded: initialises the audio samples and the streams, then registers the WAV loader.
void InitWavLoader();

}  // namespace tarn
