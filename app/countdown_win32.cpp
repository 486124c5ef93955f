#include <windows.h>

#include "app/countdown.h"

namespace tarn {

void FlashNativeWindow(intptr_t windowHandle, bool on) {
  FLASHWINFO info = {};
  info.cbSize = sizeof info;
  info.hwnd = reinterpret_cast<HWND>(windowHandle);
  // Caption and taskbar button, until the window comes to the foreground.
  info.dwFlags = on ? FLASHW_ALL | FLASHW_TIMERNOFG : FLASHW_STOP;
  info.uCount = 0;
  info.dwTimeout = 500;  // milliseconds between flashes
  FlashWindowEx(&info);
}

}  // namespace tarn
