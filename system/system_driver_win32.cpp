#include "system/system_driver.h"

namespace tarn {

// The Windows driver arrives with its own module file; until then nothing is installed.
void InstallPlatformSystemDriver() {}

}  // namespace tarn
