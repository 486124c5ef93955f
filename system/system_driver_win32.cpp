#include "system/system_driver.h"
#include "system/win32_system_driver.h"

namespace tarn {

void InstallPlatformSystemDriver() { systemDriver = New<TWin32SystemDriver>(); }

}  // namespace tarn
