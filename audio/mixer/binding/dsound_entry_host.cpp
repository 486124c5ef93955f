// The host has no DirectSound: the entry stays the stub.
#include "audio/mixer/binding/sonaflux_driver.h"

namespace tarn {

bool LoadDirectSoundEntry() { return false; }

}  // namespace tarn
