#include "system/system_driver.h"

namespace tarn {

// The host build has no message loop of its own; its tests install a driver that stands in.
void InstallPlatformSystemDriver() {}

}  // namespace tarn
