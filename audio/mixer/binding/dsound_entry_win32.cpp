#include <windows.h>

#include "audio/mixer/binding/sonaflux_driver.h"

namespace tarn {

bool LoadDirectSoundEntry() {
  HMODULE library = LoadLibraryA("dsound");
  if (!library) return false;
  FARPROC entry = GetProcAddress(library, "DirectSoundCreate");
  if (!entry) return false;
  DirectSoundCreateEntry =
      reinterpret_cast<DirectSoundCreateFunction>(reinterpret_cast<void*>(entry));
  return true;
}

}  // namespace tarn
