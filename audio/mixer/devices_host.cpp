// The host has neither waveOut nor DirectSound: no device can be made.
#include "audio/mixer/sonaflux.h"

sonaflux::audiodevice* sonaflux_new_waveout_device() { return nullptr; }
sonaflux::audiodevice* sonaflux_new_dsound_device() { return nullptr; }
