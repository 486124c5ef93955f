// The Windows driver's construction, its message pump and the mouse pointer.
#include <windows.h>

#include "runtime/boundary.h"
#include "system/key_codes.h"
#include "system/message_translation.h"
#include "system/startup.h"
#include "system/win32_system_driver.h"

namespace tarn {

namespace {

bool resolutionRequested = false;  // timeBeginPeriod(1) has been called in this process

void EndTimerResolution() { timeEndPeriod(1); }

bool IsKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
         message == WM_SYSKEYUP;
}

bool IsTabStopChild(HWND window) {
  LONG style = GetWindowLongA(window, GWL_STYLE);
  return (style & (WS_CHILD | WS_TABSTOP)) == (WS_CHILD | WS_TABSTOP);
}

// The window whose dialog-key handling serves a tab-stop child: its nearest ancestor that is
// not a tab-stop child itself. None for other windows.
HWND DialogOf(HWND window) {
  if (!window || !IsTabStopChild(window)) return nullptr;
  HWND ancestor = GetParent(window);
  while (ancestor && IsTabStopChild(ancestor)) ancestor = GetParent(ancestor);
  return ancestor;
}

}  // namespace

bool TimerResolutionRequested() { return resolutionRequested; }

TWin32SystemDriver::TWin32SystemDriver() {
  if (resolutionRequested) return;
  timeBeginPeriod(1);
  AddExitHandler(EndTimerResolution);
  resolutionRequested = true;
}

// Window procedures and the message hooks that run inside the Windows calls below stash what
// they raise; it is raised again here, after each call has returned, which ends the pump.
void TWin32SystemDriver::Pump() {
  MSG message;
  for (;;) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      RethrowStashedException();
      return;
    }
    if (IsKeyMessage(message.message) && IsModifierKey(message.wParam)) RecomputeModifierMask();
    HWND dialog = DialogOf(message.hwnd);
    if (!dialog || !IsDialogMessageA(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    RethrowStashedException();
  }
}

// The wait also returns for messages that a pump ended by an exception left in the queue:
// without MWMO_INPUTAVAILABLE Windows counts those as seen and would sleep until new ones came.
void TWin32SystemDriver::WaitAndPump() {
  constexpr DWORD kAnyInput = 255;  // keys, mouse, posted, timer, paint, sent, hot keys
  MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, kAnyInput, MWMO_INPUTAVAILABLE);
  Pump();
}

void TWin32SystemDriver::PlaceMousePointer(int32_t x, int32_t y) {
  POINT point{x, y};
  if (HWND active = GetActiveWindow()) ClientToScreen(active, &point);
  SetCursorPos(point.x, point.y);
}

void TWin32SystemDriver::SetPointerVisible(bool visible) { SetMouseVisibleFlag(visible); }

}  // namespace tarn
