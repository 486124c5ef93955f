// The audio module: sample buffers, the loader registry with the WAV loader, and the front end
// with its "Null" driver. InitAudio (audio_driver.h) initialises all of it.
#pragma once

#include "audio/audio_driver.h"
#include "audio/sample_buffer.h"
#include "audio/sample_loader.h"
#include "audio/wav_loader.h"
